// Starts like the cleaner (the settings and the action manager come into
// being during static initialisation) and exits. With the argument
// "--disk-scan-masks TEXT" it gives the disk scan's target those masks,
// which only reach the registry if the manager stores them before the
// settings write themselves.
#include "cleaner/model/ProcessModel.h"
#include "common/StringList.h"

#include <cstring>

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--disk-scan-masks") == 0) {
        GetActionManager().GetAction("DiskOpScan").lstFiles.front().vecMasks =
            SplitAtSeparator(argv[2], kListSeparator);
    }
    return 0;
}
