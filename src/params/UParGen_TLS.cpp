// TLS file import: a "..." button of the TLS panel copies the chosen file
// into the configuration's "Certificates" folder and puts its bare name into
// the field beside it.
#include "params/UParGen.h"
#include "params/UParGen_Internal.h"

#include "core/UComon.h"
#include "platform/Dialogs.h"
#include "platform/Paths.h"
#include "platform/SysUtils.h"

#include <string>

namespace {

constexpr const char* kOverwriteQuestion =
    "This file is already present in Certificates folder. Do you want to overwrite?";

// The file of the folder whose name equals name without regard to case
// ("" when none).
std::string Find_File_Ignoring_Case(const std::string& folder, const std::string& name)
{
    for (const std::string& f : ListFiles(folder))
        if (SameText(f, name)) return PathJoin(folder, f);
    return {};
}

} // namespace

void TFParGen::Btn_OnCertificate(TControl* sender)
{
    TEdit* field = nullptr;
    if (sender == Btn_TLS_Server_Cert) field = E_TLS_Server_Cert;
    else if (sender == Btn_TLS_CA_Cert) field = E_TLS_CA_Cert;
    else if (sender == Btn_TLS_Client_Cert) field = E_TLS_Client_Cert;
    else if (sender == Btn_TLS_Client_Cert_Key) field = E_TLS_Client_Cert_Key;
    if (!field) return;

    const std::string folder = PathJoin(UComon::Project_Folder, "Certificates");
    if (!DirectoryExists(folder) && !ForceDirectories(folder)) {
        ShowError("The folder \"" + folder + "\" cannot be created.");
        return;
    }
    // A start folder that has gone since (another configuration was open at
    // program start) gives way to the program folder.
    if (!DirectoryExists(OD_Certificate.InitialDir)) OD_Certificate.InitialDir = UComon::Program_Folder;
    if (!OD_Certificate.Execute()) return;
    const std::string source = OD_Certificate.FileName;
    if (!FileExists(source)) return;

    const std::string name = ExtractFileName(source);
    const std::string target = PathJoin(folder, name);
    // A file chosen inside the Certificates folder already is there.
    if (!SameFile(ExtractFileDir(source), folder)) {
        const std::string existing = Find_File_Ignoring_Case(folder, name);
        if (!existing.empty() &&
            MessageDlg(kOverwriteQuestion, TMsgDlgType::mtConfirmation, TMsgDlgButtons::mbYesNoCancel) != mrYes)
            return;
        std::string bytes;
        // Keys and certificates are for the owner only.
        if (!Read_Certificate_Source(source, bytes) || !WriteFileAtomic(target, bytes, TFileAccess::Private)) {
            ShowError("The file \"" + source + "\" could not be copied into the folder \"" + folder +
                      "\". The field keeps its value.");
            return;
        }
        // The replaced file may differ from the new one in case only.
        if (!existing.empty() && !SameFile(existing, target)) DeleteFile(existing);
    }
    field->SetText(name);
}
