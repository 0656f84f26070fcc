// "Formes" (F4): every shape to choose, with its class, the best time and whether it was solved.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <vector>

#include "flow/records.h"
#include "flow/shape_list.h"
#include "ui/dialogs.h"

// The list of shapes, one row each: name, class in marks, best time, solved.
class ShapeList : public plat::ListBox {
public:
    using plat::ListBox::ListBox;
    std::vector<modTessa::ShapeEntry> entries;  // one per row
    records::File records;
    std::array<plat::Surface, 6> marks;         // 0 to 5 marks lit
    void Paint(plat::Surface& dst, plat::Rect clip, int ox, int oy) override;
};

// The shape of the day first (made and rated off the main thread), the
// shipped levels, the player's own. Enter or Ok: Result is the chosen
// shape; Delete removes one of the player's own after asking; Ctrl+C copies
// the shape's code, Ctrl+V plays a pasted one.
class frmFormes : public Dialog {
public:
    // The tile sheet gives the marks their look.
    frmFormes(const modTessa::GameState& game, const plat::Surface& tiles, plat::Form* owner);
    ~frmFormes() override;
    ShapeList lstShapes{"lstShapes"};
    std::array<plat::Label, 4> labHead;  // the columns' headings
    plat::Label labStatus{"labStatus"};
    plat::PictureBox Picture1{"Picture1"};
    plat::ImageArea Image1[2] = {plat::ImageArea("Image1", 0), plat::ImageArea("Image1", 1)};
    std::optional<modTessa::ShapeEntry> Result;

    void Form_Load() override;
    void lbBout_Click(int index) override;
    void Form_KeyDown(int keyCode, int shift);

private:
    const modTessa::GameState& game_;
    // Shared with the jobs that make the shape of the day and rate shapes:
    // they stop when the dialog goes.
    struct Jobs;
    std::shared_ptr<Jobs> jobs_;
    void FillList();
    void RateNext();
    void Paste();
};

// The chooser, shown modally: the chosen shape, or nothing.
std::optional<modTessa::ShapeEntry> ChooseShape(const modTessa::GameState& game, const plat::Surface& tiles,
                                                plat::Form& owner);
// The name a row shows: a shipped level's or the shape of the day's in the
// player's language, the player's own as written.
std::string ShownName(const modTessa::ShapeEntry& entry);
