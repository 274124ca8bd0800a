#pragma once

#include <QVariantAnimation>
#include <QWidget>

// A panel at the trailing edge of the workspace that slides in and out. It
// opens at half the workspace's width, between 250 and 450 pixels, keeps to
// half of it while the window is resized, and the user can drag its leading
// edge to resize it within the same bounds until it is closed.
class SideSheet final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SideSheet)

public:
    static constexpr int minimumSheetWidth = 250;
    static constexpr int maximumSheetWidth = 450;

    explicit SideSheet(QWidget *parent = nullptr);

    QWidget *content() const { return m_content; }
    void setContent(QWidget *content);

    bool isOpen() const { return m_open; }
    void setOpen(bool open);

    // The width of the open sheet (also while it is still sliding).
    int sheetWidth() const { return m_width; }
    // The workspace is this wide now.
    void setAvailableWidth(int width);

Q_SIGNALS:
    void openChanged(bool open);

private:
    friend class SideSheetGrip;
    void dragTo(int width);
    void applyWidth(bool animated);

    QWidget *m_content = nullptr;
    QWidget *m_grip = nullptr;
    bool m_open = false;
    bool m_resizedByUser = false;
    int m_available = 0;
    int m_width = minimumSheetWidth;
    QVariantAnimation m_slide;
};
