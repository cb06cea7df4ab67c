// tilohost --version: the program's version, and the component that COM
// loads for the bank: its file version and where it lies.
#include "tilohost/Commands.h"

#include "tilohost/ComponentVersion.h"
#include "tilohost/ConsoleOutput.h"
#include "tilohost/ExitStatus.h"

int ShowVersion()
{
    PrintLine(std::string("tilohost ") + TILOHOST_VERSION);
    const ComponentVersion component = RegisteredComponentVersion();
    PrintLine("Component VornTiloOnline.Bank.1: file version " +
              (component.fileVersion.empty() ? std::string("(none in the file)") : component.fileVersion));
    PrintLine("  " + DescribePath(component.path));
    return component.fileVersion.empty() ? ExitCallFailed : ExitDone;
}
