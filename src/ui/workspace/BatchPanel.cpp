#include "ui/workspace/BatchPanel.h"

#include "ui/controls/TextTones.h"
#include "ui/controls/ToggleSwitch.h"
#include "ui/settings/PreferenceControls.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using namespace PreferenceControls;

namespace {

constexpr int panelWidth = 300;
constexpr int padding = 16;
constexpr int spacing = 14;
constexpr int labelWidth = 50;
constexpr int fieldWidth = 120;

QLineEdit *timeField(const QString &objectName)
{
    auto *field = new QLineEdit;
    field->setObjectName(objectName);
    field->setPlaceholderText(QStringLiteral("00:00:00"));
    field->setFixedWidth(fieldWidth);
    field->setClearButtonEnabled(false);
    return field;
}

QLabel *caption(const QString &text)
{
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    setCaptionStyle(label, Tone::secondary);
    return label;
}

} // namespace

BatchPanel::BatchPanel(QWidget *parent)
    : QWidget(parent)
{
    setFixedWidth(panelWidth);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(padding, padding, padding, padding);
    layout->setSpacing(spacing);

    auto *trimBlock = new QVBoxLayout;
    trimBlock->setSpacing(4);
    m_trim = new ToggleSwitch(tr("Trim output"));
    m_trim->setObjectName(QStringLiteral("trimOutput"));
    trimBlock->addWidget(m_trim);
    trimBlock->addWidget(
        caption(tr("Keep only the range between Start and End in the converted file.")));
    layout->addLayout(trimBlock);

    m_range = new QWidget;
    auto *range = new QVBoxLayout(m_range);
    range->setContentsMargins(0, 0, 0, 0);
    range->setSpacing(8);
    auto *fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(8);
    fields->setColumnMinimumWidth(0, labelWidth);
    m_start = timeField(QStringLiteral("trimStart"));
    m_end = timeField(QStringLiteral("trimEnd"));
    auto *startLabel = new QLabel(tr("Start"));
    startLabel->setBuddy(m_start);
    auto *endLabel = new QLabel(tr("End"));
    endLabel->setBuddy(m_end);
    fields->addWidget(startLabel, 0, 0);
    fields->addWidget(m_start, 0, 1, Qt::AlignLeft);
    fields->addWidget(endLabel, 1, 0);
    fields->addWidget(m_end, 1, 1, Qt::AlignLeft);
    fields->setColumnStretch(2, 1);
    range->addLayout(fields);
    range->addWidget(caption(tr("HH:MM:SS or seconds (e.g. 90 or 00:01:30). Leave a field blank "
                                "to skip it.")));
    m_trimProblem = new QLabel;
    m_trimProblem->setObjectName(QStringLiteral("trimProblem"));
    m_trimProblem->setWordWrap(true);
    TextTones::setErrorText(m_trimProblem);
    range->addWidget(m_trimProblem);
    layout->addWidget(m_range);

    m_scaleSection = new QWidget;
    auto *scaleLayout = new QVBoxLayout(m_scaleSection);
    scaleLayout->setContentsMargins(0, 0, 0, 0);
    scaleLayout->setSpacing(spacing);
    auto *divider = new QFrame;
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    scaleLayout->addWidget(divider);
    auto *scaleRow = new QHBoxLayout;
    m_scale = new QComboBox;
    m_scale->setObjectName(QStringLiteral("scale"));
    for (VideoScale scale : allVideoScales())
        m_scale->addItem(label(scale), int(scale));
    auto *scaleLabel = new QLabel(tr("Scale"));
    scaleLabel->setBuddy(m_scale);
    scaleRow->addWidget(scaleLabel);
    scaleRow->addWidget(m_scale, 1);
    scaleLayout->addLayout(scaleRow);
    layout->addWidget(m_scaleSection);

    connect(m_trim, &QAbstractButton::toggled, this,
            [this](bool on) { edit([on](BatchSettings &batch) { batch.trimEnabled = on; }); });
    connect(m_start, &QLineEdit::textEdited, this, [this](const QString &text) {
        edit([&text](BatchSettings &batch) { batch.trimStart = text; });
    });
    connect(m_end, &QLineEdit::textEdited, this, [this](const QString &text) {
        edit([&text](BatchSettings &batch) { batch.trimEnd = text; });
    });
    connect(m_scale, &QComboBox::activated, this, [this](int row) {
        const auto scale = VideoScale(m_scale->itemData(row).toInt());
        edit([scale](BatchSettings &batch) { batch.scale = scale; });
    });
    showBatch();
}

void BatchPanel::setBatch(const BatchSettings &batch)
{
    m_batch = batch;
    showBatch();
}

void BatchPanel::setShowsScale(bool shows)
{
    m_showsScale = shows;
    m_scaleSection->setVisible(shows);
}

void BatchPanel::edit(const std::function<void(BatchSettings &)> &change)
{
    BatchSettings edited = m_batch;
    change(edited);
    if (edited == m_batch)
        return;
    m_batch = edited;
    showBatch();
    Q_EMIT batchChanged(m_batch);
}

void BatchPanel::showBatch()
{
    const QSignalBlocker blockTrim(m_trim);
    m_trim->setChecked(m_batch.trimEnabled);
    m_range->setVisible(m_batch.trimEnabled);
    // Rewriting an unchanged text would move the cursor while typing.
    if (m_start->text() != m_batch.trimStart)
        m_start->setText(m_batch.trimStart);
    if (m_end->text() != m_batch.trimEnd)
        m_end->setText(m_batch.trimEnd);
    const std::optional<QString> problem = m_batch.trimProblem();
    m_trimProblem->setText(problem.value_or(QString()));
    m_trimProblem->setVisible(problem.has_value());
    m_scale->setCurrentIndex(m_scale->findData(int(m_batch.scale)));
    m_scaleSection->setVisible(m_showsScale);
}
