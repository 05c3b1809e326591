// Starts like the cleaner, with the model built during static initialisation, and exits;
// "--disk-scan-masks TEXT" gives the disk scan masks that only the manager stores.
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
