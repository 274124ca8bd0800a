#include "ui/controls/DiscreteSlider.h"

#include "ui/settings/PreferenceControls.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

DiscreteSlider::DiscreteSlider(const QString &title, const QList<double> &steps,
                               const QStringList &labels, QWidget *parent)
    : QWidget(parent)
    , m_steps(steps)
    , m_labels(labels)
    , m_value(steps.value(0))
    , m_stepLabel(new QLabel)
    , m_slider(new QSlider(Qt::Horizontal))
{
    Q_ASSERT(!steps.isEmpty() && steps.size() == labels.size());

    auto *titleLabel = new QLabel(title);
    titleLabel->setBuddy(m_slider);
    PreferenceControls::setCaptionStyle(m_stepLabel, PreferenceControls::Tone::secondary);
    auto *header = new QHBoxLayout;
    header->addWidget(titleLabel);
    header->addStretch();
    header->addWidget(m_stepLabel);

    m_slider->setRange(0, int(steps.size()) - 1);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(1);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setAccessibleName(title);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(header);
    layout->addWidget(m_slider);

    connect(m_slider, &QSlider::valueChanged, this, [this](int index) {
        m_value = m_steps.at(index);
        showValue();
        Q_EMIT valueChanged(m_value);
    });
    showValue();
}

void DiscreteSlider::setValue(double value)
{
    m_value = value;
    showValue();
}

int DiscreteSlider::currentIndex() const
{
    return stepIndex(m_steps, m_value, m_fallbackIndex);
}

QString DiscreteSlider::currentLabel() const
{
    return m_formatter ? m_formatter(m_value) : m_labels.at(currentIndex());
}

void DiscreteSlider::setValueFormatter(std::function<QString(double)> formatter)
{
    m_formatter = std::move(formatter);
    showValue();
}

void DiscreteSlider::setFallbackIndex(int index)
{
    m_fallbackIndex = qBound(0, index, int(m_steps.size()) - 1);
    showValue();
}

int DiscreteSlider::stepIndex(const QList<double> &steps, double value, int fallback)
{
    const qsizetype index = steps.indexOf(value);
    return index >= 0 ? int(index) : fallback;
}

void DiscreteSlider::showValue()
{
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(currentIndex());
    m_stepLabel->setText(currentLabel());
    // A screen reader would say the step's position ("2"), not "192 kbps".
    m_slider->setAccessibleDescription(currentLabel());
}
