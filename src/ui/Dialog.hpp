#pragma once

#include "ui/DialogTokens.hpp"
#include "ui/FrameWindow.hpp"
#include "ui/ModalLoop.hpp"

namespace ui {

// A modal dialog: its owner is disabled while it runs, Escape and the close box cancel it,
// and it destroys its own window when it closes.
class Dialog : public FrameWindow {
public:
    Dialog(const std::wstring& title, Window* owner);
    ~Dialog() override = 0;

    bool handleMessage(const MSG& msg, LRESULT& result) override;
    std::wstring getClassName() const override;
    unsigned getStyle() const override;
    unsigned getExStyle() const override;
    bool onCreate(CREATESTRUCT* createStruct) override;
    bool onDestroy() override;
    bool onClose() override;
    bool preTranslateMessage(MSG* msg) override;

    virtual bool onActivateApp(bool active);
    virtual bool onGetDefId(LRESULT& result);
    virtual bool onSetDefId(int id);
    virtual bool isResizable() const;

    DialogResult showModal(Placement placement);
    // Posts WM_CLOSE to the dialog.
    void close();
    void centerOnOwner();

    DialogResult getResult() const { return result_; }
    void setResult(DialogResult result) { result_ = result; }

private:
    void enableOwner();

    ModalLoop loop_;
    DialogResult result_ = DialogResult::cancelled;
    int defaultButtonId_ = 0;
};

}  // namespace ui
