#include <cstdio>
#include <exception>

#include "platform/sdl_host.h"
#include "platform/sound.h"
#include "ui/frmtessa.h"

int main() {
    plat::SdlHost host;
    std::string error;
    if (!host.Init(&error)) {
        plat::ShowFatalError(error);
        return 1;
    }
    plat::Runtime::Get().SetHost(&host);
    int status = 0;
    try {
        frmTessa form;
        form.Show();
        // After the first frame: a machine without a sound card is slow to say so.
        plat::OpenAudio();
        for (;;) plat::WaitEvents();
    } catch (const plat::ProgramEnd& end) {
        status = end.status;
    } catch (const modTessa::StartupError& e) {
        plat::ShowFatalError(e.what());
        status = 1;
    }
    plat::Runtime::Get().SetHost(nullptr);
    return status;
}
