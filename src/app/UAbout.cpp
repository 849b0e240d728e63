#include "app/UAbout.h"

#include "core/UFrame.h"
#include "app/UZelvatoreFirmWare.h"
#include "platform/Shell.h"

TFAbout::TFAbout()
{
    Font().SetName("Verdana");
    Font().SetSize(8);
    SetColor(Window_Color);
    SetPosition(TPosition::poScreenCenter);
    SetClientSize(425, 148);
    SetCaption("About");

    Image2 = new TImage(this);
    Image2->SetBounds(12, 12, 81, 81);
    Image2->SetStretch(true);
    Image2->SetCursor(crHandPoint);
    Image2->OnClick = [this](TControl*) { Label4Click(); };

    auto label = [this](int left, int top, const std::string& text, bool bold = false) {
        auto* l = new TLabel(this);
        l->SetBounds(left, top, 0, 0);
        if (bold) l->Font().SetStyle({fsBold});
        l->SetCaption(text);
        return l;
    };
    Label1 = label(108, 12, "Software Zelvator ", true);
    Label2 = label(108, 30, "");
    Label6 = label(108, 52, "Software Code : ");
    Label9 = label(230, 52, "", true);
    Label3 = label(108, 68, "Version :");
    Label10 = label(230, 68, "", true);
    Label8 = label(108, 84, "Document Code :");
    Label12 = label(230, 84, "", true);
    Label4 = label(108, 116, Maker_Web_Host);
    Label4->Font().SetColor(clBlue);
    Label4->Font().SetStyle({fsUnderline});
    Label4->SetCursor(crHandPoint);
    Label4->OnClick = [this](TControl*) { Label4Click(); };

    LbButton1 = New_Button(this, 425 - 90, 110, 80, 28);
    LbButton1->SetCaption("OK");
    LbButton1->SetModalResult(mrOk);
    LbButton1->SetShowHint(false);

    OnShow = [this](TControl*) { FormShow(); };
}

void TFAbout::FormShow()
{
    Label2->SetCaption("CAN / MQTT - Converter");
    Label9->SetCaption("QS41010");
    Label10->SetCaption("1.002");
    Label12->SetCaption("QM41010");
    SetClientSize(425, 148);
}

void TFAbout::Label4Click() { ShellOpen(Home_Page_URL()); }
