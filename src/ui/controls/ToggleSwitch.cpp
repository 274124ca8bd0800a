#include "ui/controls/ToggleSwitch.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {

constexpr int trackWidth = 36;
constexpr int trackHeight = 20;
constexpr int knobMargin = 2;
constexpr int textGap = 12;
constexpr int verticalPadding = 4;
constexpr int textFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;

// Read as a check box (its text, checked or not), which is what it is to a
// screen reader; as a plain button it would say neither.
class AccessibleToggle final : public QAccessibleWidget {
public:
    explicit AccessibleToggle(ToggleSwitch *toggle)
        : QAccessibleWidget(toggle, QAccessible::CheckBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty())
            text = toggle()->text();
        return text;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = toggle()->isChecked();
        return state;
    }

    QStringList actionNames() const override { return {toggleAction()}; }

    void doAction(const QString &name) override
    {
        if (name == toggleAction())
            toggle()->click();
    }

private:
    ToggleSwitch *toggle() const { return static_cast<ToggleSwitch *>(widget()); }
};

QAccessibleInterface *accessibleToggle(const QString &className, QObject *object)
{
    if (className == QLatin1String("ToggleSwitch") && object && object->isWidgetType())
        return new AccessibleToggle(static_cast<ToggleSwitch *>(object));
    return nullptr;
}

} // namespace

ToggleSwitch::ToggleSwitch(const QString &text, QWidget *parent)
    : QAbstractButton(parent)
{
    setText(text);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);

    static const bool installed = [] {
        QAccessible::installFactory(accessibleToggle);
        return true;
    }();
    Q_UNUSED(installed)
    connect(this, &QAbstractButton::toggled, this, [this] {
        QAccessible::State changed;
        changed.checked = true;
        QAccessibleStateChangeEvent event(this, changed);
        QAccessible::updateAccessibility(&event);
    });
}

QSize ToggleSwitch::sizeHint() const
{
    const int width = fontMetrics().horizontalAdvance(text()) + textGap + trackWidth + 2;
    return {width, heightForWidth(width)};
}

QSize ToggleSwitch::minimumSizeHint() const
{
    // Room for a word or two per line; the text wraps below that.
    const int width = fontMetrics().averageCharWidth() * 10 + textGap + trackWidth + 2;
    return {width, heightForWidth(width)};
}

int ToggleSwitch::heightForWidth(int width) const
{
    const int textHeight
        = fontMetrics()
              .boundingRect(QRect(0, 0, textRect(width).width(), 10000), textFlags, text())
              .height();
    return qMax(textHeight, trackHeight) + verticalPadding;
}

QRect ToggleSwitch::textRect(int width) const
{
    return QRect(0, 0, qMax(1, width - trackWidth - 1 - textGap), height());
}

bool ToggleSwitch::hitButton(const QPoint &pos) const
{
    // The text is part of the control, as with a check box.
    return rect().contains(pos);
}

void ToggleSwitch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;

    const QRect track(width() - trackWidth - 1, (height() - trackHeight) / 2, trackWidth,
                      trackHeight);
    painter.setPen(palette().color(group, QPalette::WindowText));
    painter.drawText(textRect(width()), textFlags, text());

    QColor trackColour = isChecked() ? palette().color(group, QPalette::Highlight)
                                     : palette().color(group, QPalette::Mid);
    if (isDown())
        trackColour = trackColour.darker(115);
    painter.setPen(Qt::NoPen);
    painter.setBrush(trackColour);
    painter.drawRoundedRect(track, trackHeight / 2.0, trackHeight / 2.0);

    const int knobSize = trackHeight - 2 * knobMargin;
    const int knobX
        = isChecked() ? track.right() - knobMargin - knobSize + 1 : track.left() + knobMargin;
    // White in light and dark themes alike, like the knob of a physical switch.
    painter.setBrush(isEnabled() ? QColor(Qt::white) : QColor(235, 235, 235));
    painter.setPen(QPen(QColor(0, 0, 0, 60), 0.5));
    painter.drawEllipse(QRect(knobX, track.top() + knobMargin, knobSize, knobSize));

    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = track.adjusted(-2, -2, 2, 2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}
