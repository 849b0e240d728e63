// Entry of the configurator: create every window in order, show the main
// window and run the message loop until it closes.
#include "app/UWindows.h"
#include "app/UZelvatoreFirmWare.h"
#include "platform/Application.h"
#include "platform/Paths.h"
#include "widgets/GridLibrary.h"

int main(int argc, char** argv)
{
    Application_Initialize(argc, argv);
    GridLibraryStartup();
    Create_Windows(ExecutableFolder());
    FZelvatoreFirmWare->ShowForm();
    const int rc = Application_Run();
    Destroy_Windows();
    GridLibraryShutdown();
    return rc;
}
