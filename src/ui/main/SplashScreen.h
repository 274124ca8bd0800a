#pragma once

#include <QList>
#include <QVariantAnimation>
#include <QWidget>

class AnimatedOrb;
class QLabel;
class QPushButton;
class QStackedWidget;

// The face of the main window while the list is empty: a card inviting the
// user to drop media or choose files, over slowly drifting orbs. The whole
// screen is a drop target for files and folders. While an import runs the
// card shows "Importing…".
class SplashScreen final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SplashScreen)

public:
    explicit SplashScreen(QWidget *parent = nullptr);

    bool isImporting() const { return m_importing; }
    void setImporting(bool importing);

    // True while a drag that carries files hovers over the splash.
    bool isTargeted() const { return m_targeted; }

    QPushButton *chooseButton() const { return m_chooseButton; }
    QPushButton *chooseFolderButton() const { return m_folderButton; }
    const QList<AnimatedOrb *> &orbs() const { return m_orbs; }

Q_SIGNALS:
    // Files and folders dropped on the splash, in the drag's order; each is
    // to be imported by a load of its own.
    void filesDropped(const QStringList &files);
    void chooseFilesRequested();
    void chooseFolderRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setTargeted(bool targeted);
    void placeOrbs();
    void colourOrbs();
    void styleButton();
    void fadeIn(QWidget *page);

    QList<AnimatedOrb *> m_orbs;
    QWidget *m_card;
    QStackedWidget *m_pages;
    QWidget *m_readyPage;
    QWidget *m_importingPage;
    QLabel *m_logo;
    QPushButton *m_chooseButton;
    QPushButton *m_folderButton;
    bool m_importing = false;
    bool m_targeted = false;
    QVariantAnimation m_targetAnimation;
};
