#pragma once
#include <QList>
#include <QObject>
#include <QString>
#include <memory>

#include "kit/Program.h"

class QWidget;

namespace opusteca {

class LongLivedScreen;
class TfrmPassword;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmLibri;
class TfrmAutori;
class TfrmBibliografie;

// The running program: its program folder and its long-lived screens. Screens
// reach one another only through these references. Everything hangs off this
// object, so a whole program can run inside a test against a temporary folder.
class Application : public QObject, public Program {
    Q_OBJECT
public:
    // When the long-lived screens other than the login make their controls.
    enum class Contents {
        AtCreation, // each screen complete as it is created
        // Each screen's controls made when it is first needed, or, screen by
        // screen, once the login window has been painted: the program's own
        // start, which puts the login on the screen sooner.
        AfterLogin,
    };

    // Creates the screens in their fixed order.
    explicit Application(const QString &programFolder, Contents contents = Contents::AtCreation);
    ~Application() override;

    // Shows the login screen, centred and alone.
    void start();

    const QString &programFolder() const override { return m_programFolder; }

    // Every screen handed out here has its controls.
    TfrmPassword *password() const { return m_password.get(); }
    TfrmAvvio *avvio() const;
    TfrmCambiaPassword *cambiaPassword() const;
    TfrmLibri *libri() const;
    TfrmAutori *autori() const;
    TfrmBibliografie *bibliografie() const;
    // Whether every long-lived screen has its controls.
    bool isComplete() const;

    QWidget *loginWindow() const override;
    QWidget *startMenu() const override;
    QWidget *passwordChangeWindow() const override;
    QWidget *booksWindow() const override;
    QWidget *authorsWindow() const override;
    QWidget *bibliographiesWindow() const override;

    void endProgram() override;
    bool hasEnded() const override { return m_ended; }

signals:
    void ended();
    // The last long-lived screen made its controls after the login was shown.
    void completed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Builds the next screen still without its controls; one a turn of the event
    // loop, so that keys typed at the login meanwhile are handled in between.
    void completeNext();
    QList<LongLivedScreen *> longLived() const;

    QString m_programFolder;
    bool m_ended = false;
    std::unique_ptr<TfrmPassword> m_password;
    std::unique_ptr<TfrmAvvio> m_avvio;
    std::unique_ptr<TfrmCambiaPassword> m_cambiaPassword;
    std::unique_ptr<TfrmLibri> m_libri;
    std::unique_ptr<TfrmAutori> m_autori;
    std::unique_ptr<TfrmBibliografie> m_bibliografie;
};

} // namespace opusteca
