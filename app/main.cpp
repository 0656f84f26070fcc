// The program: its command line, the SDL host and the main window's event loop.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "assets/embedded.h"
#include "flow/settings.h"
#include "lang/i18n.h"
#include "lang/language.h"
#include "platform/system.h"
#include "platform/scale.h"
#include "platform/sdl_host.h"
#include "platform/sound.h"
#include "ui/dialogs.h"
#include "ui/frmtessa.h"

namespace {

constexpr const char* kUsage =
    N_("Usage : tessalor [--scale N (1 à 4)] [--clavier] [--lettres] [--langue CODE] [--forme CODE] "
       "[--version] [--help]\n");

bool EnvOn(const char* name) {
    const char* v = std::getenv(name);
    return v && std::strcmp(v, "1") == 0;
}

// The language asked with --langue CODE or --langue=CODE, if any.
std::string RequestedLanguage(int argc, char** argv) {
    std::string code;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--langue") == 0 && i + 1 < argc) code = argv[++i];
        else if (std::strncmp(argv[i], "--langue=", 9) == 0) code = argv[i] + 9;
    }
    return code;
}

// --version and --help answer and end; --scale N (or --scale=N) sets the
// window scale; --clavier and --lettres turn on keyboard mode and the piece
// letters; --forme CODE (or --forme=CODE) gives the shape to start with;
// --langue was read first; anything else is a usage error (status 2).
// -1: carry on. They and the environment win over the settings file for
// this run only.
int ReadArguments(int argc, char** argv, int& scale, std::string& shapeCode) {
    settings::Settings run = settings::Current();
    run.keyboard = run.keyboard || EnvOn("TESSALOR_CLAVIER");
    run.letters = run.letters || EnvOn("TESSALOR_LETTRES");
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--langue") == 0 && i + 1 < argc) {
            ++i;
            continue;
        }
        if (std::strncmp(a, "--langue=", 9) == 0) continue;
        if (std::strcmp(a, "--forme") == 0 && i + 1 < argc) {
            shapeCode = argv[++i];
            continue;
        }
        if (std::strncmp(a, "--forme=", 8) == 0) {
            shapeCode = a + 8;
            continue;
        }
        if (std::strcmp(a, "--clavier") == 0) {
            run.keyboard = true;
            continue;
        }
        if (std::strcmp(a, "--lettres") == 0) {
            run.letters = true;
            continue;
        }
        if (std::strcmp(a, "--version") == 0) {
            std::printf("%s\n", lang::Format(_("Tessalor %s"), {TESSALOR_VERSION}).c_str());
            return 0;
        }
        if (std::strcmp(a, "--help") == 0) {
            // One line: the options, then --forme in a sentence of its own.
            std::string help = _("Tessalor, le jeu des pentominos : tessalor [--scale N] agrandit la fenêtre N fois (1 à 4), "
                                 "--clavier ouvre les dialogues avec un bouton allumé pour jouer au clavier, "
                                 "--lettres écrit sa lettre sur chaque pièce, "
                                 "--langue CODE choisit la langue (fr, en, de, es, it, nl, pt, pl).\n");
            if (!help.empty() && help.back() == '\n') help.pop_back();
            help += std::string(" ") + _("--forme CODE commence par la forme de ce code (copié avec Ctrl+C dans F4 ou "
                                         "dans l'atelier).\n");
            std::fputs(help.c_str(), stdout);
            return 0;
        }
        const char* value = nullptr;
        if (std::strcmp(a, "--scale") == 0 && i + 1 < argc) value = argv[++i];
        else if (std::strncmp(a, "--scale=", 8) == 0) value = a + 8;
        if (!value || !(scale = plat::ParseScale(value))) {
            std::fputs(_(kUsage), stderr);
            return 2;
        }
    }
    // The file's scale unless the command line or TESSALOR_SCALE chose.
    if (!scale) scale = plat::ParseScale(std::getenv("TESSALOR_SCALE"));
    if (scale) run.scale = scale;
    scale = run.scale;
    settings::Override(run);
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    int scale = 0;
    std::string shapeCode;
    settings::Load();
    // --langue, then TESSALOR_LANGUE, then the settings file's language, then the locale.
    std::string language = RequestedLanguage(argc, argv);
    const char* envLanguage = std::getenv("TESSALOR_LANGUE");
    if (language.empty() && !(envLanguage && *envLanguage) && settings::Current().language != "auto")
        language = settings::Current().language;
    lang::UseLanguage(plat::ExecutableDir(), language);
    settings::SayLoadProblem();
    if (const int answered = ReadArguments(argc, argv, scale, shapeCode); answered >= 0) return answered;
    plat::SdlHost host;
    host.SetScale(scale);
    host.SetIcon(assets::kIcon.data, assets::kIcon.size);
    host.SetCursorPicture(plat::Cursor::Hand, assets::kHandCursor.data, assets::kHandCursor.size, 12, 1);
    std::string error;
    if (!host.Init(&error)) {
        plat::ShowFatalError(error);
        return 1;
    }
    plat::SetHost(&host);
    int status = 0;
    try {
        frmTessa form;
        // The full screen kept from the last run: the window opens so.
        if (settings::Current().fullscreen) plat::SetFullScreen(form, true);
        form.Show();
        // After the first frame: a machine without a sound card is slow to say so.
        plat::OpenAudio();
        // A shape asked for on the command line is in play at once; a bad
        // code says why, then the game starts as always.
        if (!shapeCode.empty()) form.PlayShapeCode(shapeCode);
        for (;;) plat::WaitEvents();
    } catch (const plat::ProgramEnd& end) {
        status = end.status;
    } catch (const modTessa::StartupError& e) {
        plat::ShowFatalError(e.what());
        status = 1;
    }
    plat::SetHost(nullptr);
    return status;
}
