#pragma once

#include <QDialog>

class QFrame;
class QPushButton;
class QSvgRenderer;

namespace about {

// A picture that fills its area, stretched without keeping its proportions.
class StretchedPicture : public QWidget
{
    Q_OBJECT

public:
    StretchedPicture(const QString& resource, QWidget* parent);
    ~StretchedPicture() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* m_renderer;
};

} // namespace about

// The product information window of both programs. Each program has its own
// arrangement: texts, positions, title font, background picture.
class TMac_About : public QDialog
{
    Q_OBJECT

public:
    enum class Arrangement { Archiva, Firmbook };

    // Archiva's box is created hidden and owned by the main window; Firmbook's
    // is owned by the application (no owner) and shows itself at once.
    explicit TMac_About(Arrangement arrangement, QWidget* owner = nullptr);

    Arrangement arrangement() const { return m_arrangement; }

    // Archiva's "关于我们": a new box owned by owner, shown modally, destroyed
    // when it closes.
    static void showArchivaAbout(QWidget* owner);

    // Firmbook's "关于": the application's one box, created at the first call,
    // otherwise shown again where the user left it and brought to the front.
    static TMac_About* showFirmbookAbout();
    // That box, when it exists.
    static TMac_About* findFirmbookAbout();

    about::StretchedPicture* Image1 = nullptr;
    QFrame* Bevel1 = nullptr; // Firmbook only
    QPushButton* BitBtn3 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BitBtn3Click();
    void centreOnDesktop();

    Arrangement m_arrangement;
};
