#include "ui/workspace/SideSheet.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int gripWidth = 5;
constexpr int slideMs = 180;

int halfWidth(int available)
{
    return std::clamp(int(std::lround(available / 2.0)), SideSheet::minimumSheetWidth,
                      SideSheet::maximumSheetWidth);
}

} // namespace

// The leading edge: a hairline to drag.
class SideSheetGrip final : public QWidget {
public:
    explicit SideSheetGrip(SideSheet *sheet)
        : QWidget(sheet)
        , m_sheet(sheet)
    {
        setFixedWidth(gripWidth);
        setCursor(Qt::SizeHorCursor);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        QColor line = palette().color(QPalette::WindowText);
        line.setAlphaF(0.18f);
        painter.fillRect(QRect(0, 0, 1, height()), line);
    }

    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton)
            return QWidget::mousePressEvent(event);
        m_pressX = event->globalPosition().x();
        m_pressWidth = m_sheet->sheetWidth();
        m_dragging = true;
    }

    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (m_dragging)
            m_sheet->dragTo(
                int(std::lround(m_pressWidth + m_pressX - event->globalPosition().x())));
    }

    void mouseReleaseEvent(QMouseEvent *) override { m_dragging = false; }

private:
    SideSheet *m_sheet;
    qreal m_pressX = 0;
    int m_pressWidth = 0;
    bool m_dragging = false;
};

SideSheet::SideSheet(QWidget *parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    m_grip = new SideSheetGrip(this);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_grip);
    setFixedWidth(0);
    hide();

    m_slide.setDuration(slideMs);
    m_slide.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_slide, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &value) { setFixedWidth(value.toInt()); });
    connect(&m_slide, &QVariantAnimation::finished, this, [this] {
        if (!m_open)
            hide();
    });
}

void SideSheet::setContent(QWidget *content)
{
    if (m_content == content)
        return;
    delete m_content;
    m_content = content;
    if (content)
        static_cast<QHBoxLayout *>(layout())->addWidget(content, 1);
}

void SideSheet::setOpen(bool open)
{
    if (open == m_open)
        return;
    m_open = open;
    if (open) {
        m_resizedByUser = false;
        m_width = halfWidth(m_available);
        show();
    }
    applyWidth(true);
    Q_EMIT openChanged(open);
}

void SideSheet::setAvailableWidth(int width)
{
    m_available = width;
    if (m_resizedByUser)
        return;
    const int wanted = halfWidth(width);
    if (wanted == m_width)
        return;
    m_width = wanted;
    if (m_open)
        applyWidth(false);
}

void SideSheet::dragTo(int width)
{
    const int wanted = std::clamp(width, minimumSheetWidth, maximumSheetWidth);
    m_resizedByUser = true;
    if (wanted == m_width)
        return;
    m_width = wanted;
    applyWidth(false);
}

void SideSheet::applyWidth(bool animated)
{
    const int target = m_open ? m_width : 0;
    m_slide.stop();
    if (!animated || !isVisible()) {
        setFixedWidth(target);
        if (!m_open)
            hide();
        return;
    }
    m_slide.setStartValue(width());
    m_slide.setEndValue(target);
    m_slide.start();
}
