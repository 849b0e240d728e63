#pragma once
// New configuration dialog: creates PROJECTS/<name> with its "bin" folder
// and makes it the open configuration.

#include "core/UFrame.h"

class TFNew_Project : public TForm {
public:
    TFNew_Project();
    ~TFNew_Project() override;

    TWindowFrame Frame;
    TLabel* Label1;
    TEdit* E_New_Proj;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;

    void Set_Lang();
    // Checks the typed name, creates the folders and closes with mrOk; on
    // failure shows text 107, 106 or 105 and the dialog stays open.
    void Btn_OKClick();

private:
    void FormShow();
};

inline TFNew_Project* FNew_Project = nullptr;
