#include "ui/frmtessa.h"

namespace modTessa {

void PlaySound(const std::string& fileName) {
    plat::SoundControl& kvtUt = MainForm().kvtUt;
    kvtUt.SetProperty(1, 7);
    // Other handlers may run here; the hand guards itself with bBusy.
    plat::DoEvents();
    kvtUt.SetProperty(5, strDataDir + fileName);
    kvtUt.SetProperty(1, 6);
}

}  // namespace modTessa
