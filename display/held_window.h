// SPDX-License-Identifier: GPL-3.0-or-later
// A window without a window: the display of the confirmation chain wired to two held
// charts, a record of its boxes and caption, and a record of what one confirmation showed
// as numbers. Every front end that shows no window confirms through it: the companion
// (numbers only), its chart module (the held charts) and the web edition (everything).
#pragma once

#include "calc/main_module.h"
#include "calc/port.h"
#include "display/chart_model.h"
#include "display/display.h"

#include <array>
#include <string>
#include <vector>

namespace cykl {

// A chart control with nothing to show it on: what is written to it, and the data as
// they stood at its last draw request.
class HeldChart final : public ChartControl {
public:
    HeldChart(std::int16_t type, std::int16_t points, std::int16_t sets);

    void Write(ChartProperty property, const ChartValue &value) override;
    double Read(ChartProperty property) const override { return model_.Read(property); }
    void SetVisible(bool visible) override { visible_ = visible; }

    const ChartModel &Model() const { return model_; } // as written
    const ChartModel &Shown() const { return shown_; } // at the last draw request
    bool Visible() const { return visible_; }

private:
    ChartModel model_;
    ChartModel shown_;
    bool visible_ = true;
};

struct DayValues3 {
    double Physical = 0;
    double Emotional = 0;
    double Intellectual = 0;
};

// What one confirmation showed, as numbers.
struct Confirmation {
    MessageCode Refusal = 0; // 1 to 3 when the window refuses the input, else 0
    MonthValues Month; // the month chart's curves
    DayValues3 Day; // the day chart's bars
    std::vector<MessageCode> Verdicts; // codes 4 to 12, in the order of their boxes
};

// A message box as it would have been shown.
struct ShownBox {
    MessageStyle Style = MessageStyle::Information;
    std::string Text; // UTF-8
};

class HeldWindow final : public FieldSource, public MessageBoxSeam, public CaptionTarget {
public:
    // Numbers only: the chain's steps are recorded and go no further (no charts, no boxes).
    enum class Shows { Numbers, Everything };
    explicit HeldWindow(Shows shows = Shows::Everything);
    HeldWindow(const HeldWindow &) = delete;
    HeldWindow &operator=(const HeldWindow &) = delete;

    // The six numbers as if typed into the fields (birth day, month, year, target day,
    // month, year), confirmed.
    const Confirmation &Confirm(const InputDateRecord &typed);
    // Field 1 to 6 (Text1 to Text6), UTF-8, for a front end that keeps the window's texts
    // and confirms them as the window does; a change returns the display to its
    // unconfirmed state, as a typed change in the window does.
    void SetField(int field, std::string text);
    const Confirmation &ConfirmFields();
    // ResetDisplay, as a change of any field runs it.
    void Reset();

    // The language of the boxes and the caption; a change resets the display, so that
    // nothing on show is in the language before.
    void SetLanguage(Lang lang);
    Lang Language() const { return lang_; }

    const Confirmation &Shown() const { return shown_; }
    const HeldChart &MonthChart() const { return graph1_; }
    const HeldChart &DayChart() const { return graph2_; }
    const std::vector<ShownBox> &Boxes() const { return boxes_; }
    const std::string &Caption() const { return caption_; }

    std::string FieldText(int field) const override;
    void Show(std::string_view text, std::string_view title, MessageStyle style) override;
    void SetCaption(std::string_view caption) override;

private:
    // The chain's port: records the numbers, then hands each step to the display.
    class Recorder final : public Port {
    public:
        explicit Recorder(HeldWindow &window) : window_(window) { }
        std::string FieldText(int field) const override { return window_.FieldText(field); }
        void ShowMessage(MessageCode code) override;
        void SetUpCharts(std::int16_t days) override;
        void LabelDay(std::int16_t day) override;
        void FillMonthChart(const MonthValues &values) override;
        void FillDayChart(double chosenDay, double targetMonth, double physical, double emotional,
                          double intellectual) override;
        void SetConfirmCaption(std::string_view caption) override;

    private:
        HeldWindow &window_;
    };

    void Begin();

    Shows shows_;
    Main main_;
    std::array<std::string, 6> fields_;
    HeldChart graph1_;
    HeldChart graph2_;
    std::string caption_;
    std::vector<ShownBox> boxes_;
    Confirmation shown_;
    Lang lang_ = Lang::Cs;
    Display display_;
    Recorder recorder_;
};

} // namespace cykl
