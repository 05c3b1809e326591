// Starts like the cleaner, with the model built during static initialisation, and exits;
// an argument gives the disk scan masks that only the manager stores.
#include "cleaner/model/ProcessModel.h"
#include "common/StringList.h"

int main(int argc, char** argv)
{
    if (argc == 2) {
        GetActionManager().GetAction("DiskOpScan").lstFiles.front().vecMasks =
            SplitAtSeparator(argv[1], kListSeparator);
    }
    return 0;
}
