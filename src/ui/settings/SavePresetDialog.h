#pragma once

#include <QDialog>

class QLineEdit;

// Asks for the name of a new preset. "Save" is always enabled: a blank name
// simply saves nothing.
class SavePresetDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SavePresetDialog)

public:
    explicit SavePresetDialog(QWidget *parent = nullptr);

    QString name() const;
    void setName(const QString &name);

private:
    QLineEdit *m_name = nullptr;
};
