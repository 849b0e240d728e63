#pragma once
// About window: the software's name, description, code, version and manual
// code, with a link to the maker's home page. Fixed English texts.

#include "platform/Forms.h"
#include "widgets/LbButton.h"

class TFAbout : public TForm {
public:
    TFAbout();

    TImage* Image2;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* Label6;
    TLabel* Label9;
    TLabel* Label3;
    TLabel* Label10;
    TLabel* Label8;
    TLabel* Label12;
    TLabel* Label4;
    TLbButton* LbButton1;

    // Opens the maker's home page.
    void Label4Click();

private:
    void FormShow();
};

inline TFAbout* FAbout = nullptr;
