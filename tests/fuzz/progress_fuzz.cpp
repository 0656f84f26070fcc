// A saved game read, written back and read again gives the same progress.
#include "app/modtessa.h"
#include "fuzz_files.h"
#include "ui/frmtessa.h"

using namespace modTessa;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    strSaveDir = fuzz::Folder();
    strGameName = "partie.pnt";
    nLevelCount = 40;
    tabLevelDone.assign(41, vbFalse);
    fuzz::Write(strSaveDir + strGameName, data, size);
    const bool unsolvedLeft = LoadProgress();
    const auto read = tabLevelDone;
    fuzz::Check(SaveProgress(), "the progress is written");
    // Every level flipped, so the second reading must set each one.
    for (auto& done : tabLevelDone) done = done ? vbFalse : vbTrue;
    tabLevelDone.back() = read.back();
    fuzz::Check(LoadProgress() == unsolvedLeft, "same answer after a round trip");
    fuzz::Check(tabLevelDone == read, "same progress after a round trip");
    return 0;
}
