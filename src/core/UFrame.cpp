#include "core/UFrame.h"

#include "core/UComon.h"

TWindowFrame Build_Window_Frame(TForm& form, int clientWidth, int clientHeight)
{
    form.Font().SetName("Verdana");
    form.Font().SetSize(8);
    form.SetColor(Window_Color);
    form.SetPosition(TPosition::poScreenCenter);
    form.SetClientSize(clientWidth, clientHeight);

    TWindowFrame f;
    f.P_Title = new TPanel(&form);
    f.P_Title->SetBevelOuter(TBevelCut::bvNone);
    f.P_Title->SetHeight(69);
    f.P_Title->SetAlign(TAlign::alTop);
    f.L_SW_Code = new TLabel(f.P_Title);
    f.L_SW_Code->Font().SetHeight(-27);
    f.L_SW_Code->Font().SetColor(clGray);
    f.L_SW_Code->SetBounds(16, 6, 0, 0);
    f.L_SW_Code->SetCaption(UComon::SW_Code);
    f.L_SW_Desc = new TLabel(f.P_Title);
    f.L_SW_Desc->Font().SetStyle({fsBold});
    f.L_SW_Desc->Font().SetColor(clGray);
    f.L_SW_Desc->SetBounds(16, 44, 0, 0);

    f.P_Button = new TPanel(&form);
    f.P_Button->SetBevelOuter(TBevelCut::bvNone);
    f.P_Button->SetHeight(40);
    f.P_Button->SetAlign(TAlign::alBottom);
    return f;
}

TLbButton* New_Button(TWinControl* parent, int left, int top, int width, int height)
{
    auto* b = new TLbButton(parent);
    b->SetBounds(left, top, width, height);
    b->SetColor(0xEDF7F8);
    b->SetLightColor(clGray);
    b->SetShadowColor(clGray);
    b->SetHotTrackColor(clYellow);
    b->SetColorWhenDown(0x0080FF);
    b->SetStyle(bsEncarta);
    b->SetShowHint(true);
    return b;
}
