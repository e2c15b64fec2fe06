#pragma once
#include "kit/LongLivedScreen.h"
#include <QList>
#include <QRect>

class QLabel;

namespace opusteca {

class Application;

// The start menu: pictures only; opens the three archives and ends the program.
class TfrmAvvio : public LongLivedScreen {
    Q_OBJECT
public:
    explicit TfrmAvvio(Application &app);

protected:
    void buildContents() override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct Artwork {
        QLabel *picture;
        QString name;
        QSize size;
    };
    void buildContent(QWidget *panel);
    // A picture whose artwork is drawn when the menu is first shown.
    QLabel *artworkPicture(QWidget *panel, const QString &name, const QString &art, const QRect &geometry);

    Application &m_app;
    QList<Artwork> m_artwork; // still to be drawn
};

} // namespace opusteca
