#pragma once
#include <QObject>
#include <QString>
#include <memory>

class QWidget;

namespace opusteca {

class TfrmPassword;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmLibri;
class TfrmAutori;
class TfrmBibliografie;

// The running program: its program folder and its long-lived screens. Screens
// reach one another only through these references. Everything hangs off this
// object, so a whole program can run inside a test against a temporary folder.
class Application : public QObject {
    Q_OBJECT
public:
    // Creates the screens in their fixed order.
    explicit Application(const QString &programFolder);
    ~Application() override;

    // Shows the login screen, centred and alone.
    void start();

    const QString &programFolder() const { return m_programFolder; }

    TfrmPassword *password() const { return m_password.get(); }
    TfrmAvvio *avvio() const { return m_avvio.get(); }
    TfrmCambiaPassword *cambiaPassword() const { return m_cambiaPassword.get(); }
    TfrmLibri *libri() const { return m_libri.get(); }
    TfrmAutori *autori() const { return m_autori.get(); }
    TfrmBibliografie *bibliografie() const { return m_bibliografie.get(); }

    // The archive screens as plain windows, for code that only shows and hides them.
    QWidget *libriWidget() const;
    QWidget *autoriWidget() const;
    QWidget *bibliografieWidget() const;

    // Every move between long-lived screens shows the target first, then hides the source.
    static void moveTo(QWidget *from, QWidget *to);

    // Ends the program at once: no screen is asked anything.
    void endProgram();
    bool hasEnded() const { return m_ended; }

signals:
    void ended();

private:
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
