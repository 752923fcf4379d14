// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of Form1 at their design places, sizes and names.
#pragma once

#include "lang/language.h"

#include <QString>
#include <array>

class QAction;
class QMainWindow;
class QPushButton;
class QWidget;

namespace cykl {

class Beeper;
class ChartWidget;
class HandlerGuard;
class NumericField;

// Design measures are in twips, 15 to the logical pixel.
constexpr int Twips(int twips)
{
    return twips / 15;
}

inline constexpr int ClientWidth = Twips(8820);
inline constexpr int ClientHeight = Twips(4170);

// The controls that code uses; frames, labels and lines belong to the window and are
// reached by their object names only.
struct Form1Controls {
    std::array<NumericField *, 6> Text {}; // Text1 .. Text6
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    ChartWidget *Graph1 = nullptr;
    ChartWidget *Graph2 = nullptr;
    QAction *mnuExit = nullptr;
    QAction *okenko = nullptr;
    QAction *vtip = nullptr;
};

// Builds every control of the window in its design state; Command2 shows the address,
// shortened in the middle where the button is too narrow for it.
Form1Controls BuildForm1(QMainWindow &form, Beeper &beeper, HandlerGuard &guard,
                         const QString &homePage, Lang lang = Lang::Cs);

} // namespace cykl
