// SPDX-License-Identifier: GPL-3.0-or-later
// The About window: shown modeless and without an owner while Form1 is disabled.
// Its button, and every other way of closing it, enables Form1 again and destroys it.
#pragma once

#include "lang/language.h"

#include <QDialog>
#include <QPointer>

namespace cykl {

class Version : public QDialog {
    Q_OBJECT
public:
    // form1 is enabled again when this window closes; it is not the window's parent.
    explicit Version(QWidget *form1, Lang lang = Lang::Cs);
    ~Version() override;

private:
    void Command2_Click();
    void closeEvent(QCloseEvent *event) override;
    void reject() override;
    void showEvent(QShowEvent *event) override;
    void BuildControls();
    void EnableForm1();

    QPointer<QWidget> form1_;
    Lang lang_;
};

} // namespace cykl
