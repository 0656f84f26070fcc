// The small modal windows: common look, hover and result protocol.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/forms.h"

// 257 x 181, rounded outline, green frame, label-buttons. A dialog stores
// its result in Tag and hides itself; closing it through the window system
// counts as no choice (empty Tag).
class Dialog : public plat::Form {
public:
    explicit Dialog(std::string name);
    plat::Shape Shape1{"Shape1"};
    plat::Label Label1{"Label1"};
    std::vector<std::unique_ptr<plat::Label>> lbBout;

protected:
    plat::Label& AddButton(const std::string& caption, int left, int top, int width = 88,
                           int height = 19);
    virtual void Form_MouseMove(int, int, float, float);
    virtual void lbBout_MouseMove(int index, int, int, float, float);
    virtual void lbBout_Click(int index) = 0;
    void Form_Load();
};

class frmMess : public Dialog {
public:
    frmMess();
    void lbBout_MouseMove(int index, int, int, float, float) override;
    void lbBout_Click(int index) override;
};

class frmAlert : public Dialog {
public:
    frmAlert();
    void lbBout_Click(int index) override;
};

class frmPropos : public Dialog {
public:
    frmPropos();
    void lbBout_Click(int index) override;
};

// Asks a yes/no question; true only for "OUI".
bool AskYesNo(const std::string& question = {});
