#pragma once
#include "lookup/core/CatalogueReply.h"
#include "lookup/core/CatalogueSources.h"

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QString>
#include <QUrl>

class QProgressDialog;
class QWidget;

namespace opusteca {

// Asks the catalogues for a book by its ISBN, one after the other, while a small
// progress window with "Annulla" stays over the opener and the window keeps being
// painted. Each request has its time limit and its size limit; a source that does
// not answer, answers an error or sends what cannot be read is passed over.
class CatalogueLookup {
public:
    // The sources and the time limit from Opusteca.ini in the program folder, the
    // stand-in server from the environment.
    explicit CatalogueLookup(const QString &programFolder);
    ~CatalogueLookup();

    enum class Result {
        Found,     // `book` and `source` tell what and where
        NotFound,  // at least one source answered, none knows the book
        NoAnswer,  // no source could be read
        Cancelled, // the user pressed Annulla
    };
    struct Outcome {
        Result result = Result::NoAnswer;
        catalogue::Source source = catalogue::Source::Sbn;
        catalogue::BookReply book;
    };
    Outcome lookUp(QWidget *parent, const QString &isbn);

    // The cover image at `address`; false when it could not be had (or was not an
    // image the attachments folder can keep as .jpg) or the user cancelled.
    bool fetchCover(QWidget *parent, const QString &address, QByteArray &image, bool &cancelled);

    QList<catalogue::Source> sources() const { return m_sources; }
    int waitMilliseconds() const { return m_waitMs; }

private:
    struct Fetched {
        enum State { Ok, Failed, Cancelled } state = Failed;
        QByteArray body;
        QByteArray contentType;
    };
    Fetched get(const QUrl &address);
    // The reply of one source; Unreadable when it did not answer as expected.
    catalogue::BookReply ask(catalogue::Source source, const QString &isbn, bool &cancelled);
    void showProgress(QWidget *parent, const QString &text);
    void hideProgress();

    QList<catalogue::Source> m_sources;
    int m_waitMs;
    QString m_server;
    QNetworkAccessManager m_network;
    QPointer<QProgressDialog> m_progress;
    bool m_cancelled = false;
};

} // namespace opusteca
