// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form1_layout.h"

#include "display/display.h"
#include "lang/qt/said.h"
#include "platform/chart_widget.h"
#include "platform/painter/chart_style.h"
#include "ui/numeric_field.h"
#include "ui/window_font.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <array>

namespace cykl {

namespace {

struct Box {
    int Left, Top, Width, Height; // twips
};

void Place(QWidget &widget, const QString &name, Box box)
{
    widget.setObjectName(name);
    widget.setGeometry(Twips(box.Left), Twips(box.Top), Twips(box.Width), Twips(box.Height));
}

QGroupBox *AddFrame(QWidget &parent, const QString &name, const QString &caption, Box box)
{
    auto *frame = new QGroupBox(caption, &parent);
    Place(*frame, name, box);
    return frame;
}

void AddLabel(QWidget &frame, const QString &name, const QString &caption, Box box)
{
    auto *label = new QLabel(caption, &frame);
    Place(*label, name, box);
}

// A horizontal line from x1 to x2 at y (twips), width pixels thick, centred on y.
QFrame *AddLine(QWidget &frame, const QString &name, int x1, int x2, int y, int width)
{
    auto *line = new QFrame(&frame);
    line->setObjectName(name);
    line->setGeometry(Twips(x1), Twips(y) - width / 2, Twips(x2 - x1), width);
    line->setAutoFillBackground(true);
    return line;
}

void AddColouredLine(QWidget &frame, const QString &name, QColor colour)
{
    QFrame *line = AddLine(frame, name, 240, 1560, 360, 4);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
}

// One of the two date frames: day, month and year rows, each a label left of its field.
struct DateFrame {
    QString Frame, Index;
    TextKey Caption;
    QString Line;
    TextKey Date;
    int Left;
    int FirstField; // 1 for Text1 .. Text3, 4 for Text4 .. Text6
};

std::array<NumericField *, 3> AddDateFrame(QWidget &client, const DateFrame &design, Beeper &beeper,
                                           HandlerGuard &guard, Lang lang)
{
    QGroupBox *frame = AddFrame(client, design.Frame, Said(design.Caption, lang),
                                { design.Left, 120, 2415, 1695 });
    struct Row {
        const char *Label;
        TextKey Caption, Part;
        int Top, LabelWidth, Limit;
    };
    const Row rows[3] = { { "Label2", "label.day", "part.day", 360, 975, 2 },
                          { "Label1", "label.month", "part.month", 720, 615, 2 },
                          { "Label3", "label.year", "part.year", 1080, 855, 4 } };
    std::array<NumericField *, 3> fields {};
    for (int i = 0; i < 3; ++i) {
        const Row &row = rows[i];
        AddLabel(*frame, QString::fromLatin1(row.Label) + design.Index, Said(row.Caption, lang),
                 { 240, row.Top, row.LabelWidth, 255 });
        fields[i] = new NumericField(row.Limit, beeper, guard, frame);
        Place(*fields[i], QStringLiteral("Text%1").arg(design.FirstField + i),
              { 960, row.Top, 1215, 285 });
        fields[i]->setAccessibleName(
            Said("field.name", lang, { Say(design.Date, lang), Say(row.Part, lang) }));
    }
    QFrame *line = AddLine(*frame, design.Line, 120, 2160, 1560, 2);
    line->setBackgroundRole(QPalette::WindowText);
    return fields;
}

void AddLegend(QWidget &client, int index, Lang lang)
{
    const look::Cycle &cycle = look::Cycles(lang).at(static_cast<std::size_t>(index));
    static constexpr std::array<const char *, 3> Frames { "Frame3", "Frame2", "Frame4" };
    QGroupBox *frame
        = AddFrame(client, QString::fromLatin1(Frames.at(static_cast<std::size_t>(index))),
                   chart::Text(cycle.Caption), { 5280, 120 + 600 * index, 1815, 495 });
    frame->setToolTip(chart::Text(cycle.Period));
    AddColouredLine(*frame, QStringLiteral("Line%1").arg(index + 1),
                    chart::Colour(look::ColoursOf(index).Legend));
}

void AddLegends(QWidget &client, Lang lang)
{
    for (int index = 0; index < static_cast<int>(look::Cycles(lang).size()); ++index)
        AddLegend(client, index, lang);
}

ChartWidget *AddChart(QWidget &client, const QString &name, Lang lang, TextKey accessibleName,
                      std::int16_t type, std::int16_t points, std::int16_t sets, Box box)
{
    auto *chart = new ChartWidget(type, points, sets, &client, lang);
    Place(*chart, name, box);
    chart->setAccessibleName(Said(accessibleName, lang));
    chart->setFocusPolicy(Qt::NoFocus);
    return chart;
}

QPushButton *AddButton(QWidget &client, const QString &name, const QString &caption, Box box)
{
    auto *button = new QPushButton(caption, &client);
    Place(*button, name, box);
    button->setAutoDefault(false);
    return button;
}

// The home-page address is as long as the folder the program lives in: a caption too wide
// for its button keeps both ends of the address and drops its middle.
void SetAddressCaption(QPushButton &button, const QString &address)
{
    QStyleOptionButton option;
    option.initFrom(&button);
    QStyle *style = button.style();
    const int room = style->subElementRect(QStyle::SE_PushButtonContents, &option, &button).width()
        - style->pixelMetric(QStyle::PM_ButtonMargin, &option, &button);
    button.setText(button.fontMetrics().elidedText(address, Qt::ElideMiddle, room));
}

QAction *AddMenuItem(QMenuBar &bar, const QString &name, const QString &caption)
{
    QAction *item = bar.addAction(caption);
    item->setObjectName(name);
    return item;
}

void BuildMenu(QMainWindow &form, Form1Controls &controls, Lang lang)
{
    QMenuBar *bar = form.menuBar();
    bar->setNativeMenuBar(false); // the blank item must stay a clickable spot of this bar
    controls.mnuExit = AddMenuItem(*bar, QStringLiteral("mnuExit"), Said("menu.exit", lang));
    controls.okenko = AddMenuItem(*bar, QStringLiteral("okenko"), Said("menu.version", lang));
    // The item without a caption: a bar item with no text at all takes no room, so two
    // blanks keep a narrow blank spot that answers a click.
    controls.vtip = AddMenuItem(*bar, QStringLiteral("vtip"), QStringLiteral("  "));
}

void SetTabOrder(const Form1Controls &controls)
{
    QWidget *order[] = { controls.Text[0], controls.Text[1], controls.Text[2],  controls.Text[3],
                         controls.Text[4], controls.Text[5], controls.Command1, controls.Command2 };
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

} // namespace

Form1Controls BuildForm1(QMainWindow &form, Beeper &beeper, HandlerGuard &guard,
                         const QString &homePage, Lang lang)
{
    form.setFont(WindowFont()); // before the controls exist, so each is made with it once
    auto *client = new QWidget(&form);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(ClientWidth, ClientHeight);
    form.setCentralWidget(client);

    Form1Controls controls;
    const auto birth
        = AddDateFrame(*client,
                       { QStringLiteral("Frame1_1"), QStringLiteral("_1"), "birth.frame",
                         QStringLiteral("Line4"), "birth.name", 240, 1 },
                       beeper, guard, lang);
    const auto target
        = AddDateFrame(*client,
                       { QStringLiteral("Frame1_0"), QStringLiteral("_0"), "target.frame",
                         QStringLiteral("Line5"), "target.name", 2760, 4 },
                       beeper, guard, lang);
    std::copy(birth.begin(), birth.end(), controls.Text.begin());
    std::copy(target.begin(), target.end(), controls.Text.begin() + 3);
    AddLegends(*client, lang);
    controls.Graph2 = AddChart(*client, QStringLiteral("Graph2"), lang, "chart.day", ChartTypeBar,
                               3, 1, { 7200, 240, 1455, 2655 });
    controls.Graph1 = AddChart(*client, QStringLiteral("Graph1"), lang, "chart.month",
                               ChartTypeLine, 31, 3, { 240, 1920, 6855, 1575 });
    controls.Command1 = AddButton(*client, QStringLiteral("Command1"),
                                  Said("button.confirmed", lang), { 7200, 3000, 1455, 495 });
    controls.Command2
        = AddButton(*client, QStringLiteral("Command2"), homePage, { 240, 3600, 8415, 375 });
    SetAddressCaption(*controls.Command2, homePage);
    controls.Command2->setToolTip(Said("homepage.tooltip", lang));
    BuildMenu(form, controls, lang);
    SetTabOrder(controls);
    return controls;
}

} // namespace cykl
