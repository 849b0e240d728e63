#pragma once
// The PROFINET GSDML file's name ("PROFINET XML File Name"): a fixed part,
// the part the user types and the date the program started, as
// "GSDML-V2.31-Quembo-QG41021_<user part>-YYYYMMDD.xml" (without "_" and
// the user part when that is blank).

#include "core/UFrame.h"

#include <string>

class TFProfinetFileName : public TForm {
public:
    // Takes the date part from the clock (platform Now) once.
    TFProfinetFileName();
    ~TFProfinetFileName() override;

    TWindowFrame Frame;
    TLabel* Label1;
    TLabel* Label2;
    TLabel* L_XML_Fix1;
    TLabel* Label4;
    TEdit* E_XML_User;
    TLabel* Label5;
    TLabel* L_XML_Fix2;
    TLbButton* Btn_OK;
    TLbButton* Btn_Cancel;
    // The composed name, once the window closed with OK.
    std::string Name_File_XML;

    void Set_Lang();
    // Composes the name and closes with OK; a user part that would lead out
    // of the chosen folder ("/", "\" or "..") is refused with a box and the
    // window stays open.
    void Btn_OKClick();

    static constexpr const char* Fixed_Part = "GSDML-V2.31-Quembo-QG41021";
    static constexpr const char* Msg_User_Part_Refused =
        "The user part of the file name may not hold \"/\", \"\\\" or \"..\".";
};

inline TFProfinetFileName* FProfinetFileName = nullptr;
