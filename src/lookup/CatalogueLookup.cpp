#include "lookup/CatalogueLookup.h"

#include "store/ProgramSettings.h"

#include <QApplication>
#include <QEventLoop>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace opusteca {

using namespace catalogue;

CatalogueLookup::CatalogueLookup(const QString &programFolder)
{
    const ProgramSettings settings(programFolder);
    const QString section = QString::fromLatin1(kSettingsSection);
    m_sources = sourcesFromSetting(
        settings.text(section, QString::fromLatin1(kSourcesKey), QString::fromLatin1(kDefaultSources)));
    m_waitMs = 1000 * settings.number(section, QString::fromLatin1(kWaitKey), kDefaultWaitSeconds, 1, kMaxWaitSeconds);
    m_server = qEnvironmentVariable(kServerVariable);
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    // Addresses go where they say, and only onward to a web address.
    m_network.setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

CatalogueLookup::~CatalogueLookup() { hideProgress(); }

void CatalogueLookup::showProgress(QWidget *parent, const QString &text)
{
    if (!m_progress) {
        m_cancelled = false;
        auto *p = new QProgressDialog(parent);
        p->setObjectName(QStringLiteral("dlgRicercaISBN"));
        p->setWindowTitle(QStringLiteral(" Ricerca ISBN"));
        p->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        p->setWindowModality(Qt::ApplicationModal);
        p->setRange(0, 0);
        p->setMinimumDuration(0);
        p->setAutoClose(false);
        p->setAutoReset(false);
        auto *cancel = new QPushButton(QStringLiteral("Annulla"), p);
        cancel->setObjectName(QStringLiteral("btnAnnulla"));
        p->setCancelButton(cancel);
        p->setMinimumWidth(380);
        QObject::connect(p, &QProgressDialog::canceled, p, [this] { m_cancelled = true; });
        m_progress = p;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    m_progress->setLabelText(text);
    m_progress->show();
}

void CatalogueLookup::hideProgress()
{
    if (!m_progress) return;
    QApplication::restoreOverrideCursor();
    delete m_progress.data();
}

CatalogueLookup::Fetched CatalogueLookup::get(const QUrl &address)
{
    Fetched out;
    if (m_cancelled) {
        out.state = Fetched::Cancelled;
        return out;
    }
    QNetworkRequest request(throughServer(address, m_server));
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Opusteca/2.0"));
    request.setMaximumRedirectsAllowed(5);
    QNetworkReply *reply = m_network.get(request);
    QEventLoop loop;
    bool refused = false;
    const auto take = [&] {
        out.body += reply->readAll();
        if (out.body.size() > kMaxReplyBytes) {
            refused = true;
            reply->abort();
        }
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && length.toLongLong() > kMaxReplyBytes) {
            refused = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, take);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, reply, &QNetworkReply::abort);
    limit.start(m_waitMs);
    QMetaObject::Connection cancel;
    if (m_progress)
        cancel = QObject::connect(m_progress.data(), &QProgressDialog::canceled, reply, &QNetworkReply::abort);
    if (!reply->isFinished()) loop.exec();
    QObject::disconnect(cancel);
    limit.stop();
    if (!refused && reply->error() == QNetworkReply::NoError) take();

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_cancelled)
        out.state = Fetched::Cancelled;
    else if (!refused && reply->error() == QNetworkReply::NoError && status >= 200 && status < 300)
        out.state = Fetched::Ok;
    out.contentType = reply->rawHeader("Content-Type");
    reply->deleteLater();
    if (out.state != Fetched::Ok) out.body.clear();
    return out;
}

BookReply CatalogueLookup::ask(Source source, const QString &isbn, bool &cancelled)
{
    const auto text = [](const Fetched &f) { return replyText(f.body, f.contentType); };
    Fetched f;
    BookReply book;
    if (source == Source::Sbn) {
        f = get(sbnSearchUrl(isbn));
        if (f.state == Fetched::Ok) {
            const SbnSearchReply found = readSbnSearch(text(f));
            if (found.outcome != catalogue::Outcome::Found) {
                book.outcome = found.outcome;
                return book;
            }
            f = get(sbnRecordUrl(found.bid));
            if (f.state == Fetched::Ok) book = readSbnRecord(text(f));
        }
    } else {
        f = get(openLibraryUrl(isbn));
        if (f.state == Fetched::Ok) book = readOpenLibrary(text(f), openLibraryKey(isbn));
    }
    cancelled = f.state == Fetched::Cancelled;
    return book;
}

CatalogueLookup::Outcome CatalogueLookup::lookUp(QWidget *parent, const QString &isbn)
{
    Outcome out;
    bool anyAnswer = false;
    for (Source source : std::as_const(m_sources)) {
        showProgress(parent, QStringLiteral("Ricerca dei dati del libro in corso:\n%1...").arg(sourceName(source)));
        bool cancelled = false;
        const BookReply book = ask(source, isbn, cancelled);
        if (cancelled) {
            out.result = Result::Cancelled;
            break;
        }
        if (book.outcome == catalogue::Outcome::Found) {
            out = {Result::Found, source, book};
            break;
        }
        if (book.outcome == catalogue::Outcome::NotFound) anyAnswer = true;
    }
    hideProgress();
    if (out.result == Result::NoAnswer && anyAnswer) out.result = Result::NotFound;
    return out;
}

bool CatalogueLookup::fetchCover(QWidget *parent, const QString &address, QByteArray &image, bool &cancelled)
{
    showProgress(parent, QStringLiteral("Scaricamento della copertina in corso..."));
    const Fetched f = get(QUrl(address, QUrl::StrictMode));
    hideProgress();
    cancelled = f.state == Fetched::Cancelled;
    // Kept only as what its name will say: a JPEG image.
    if (f.state != Fetched::Ok || !f.body.startsWith("\xFF\xD8\xFF")) return false;
    image = f.body;
    return true;
}

} // namespace opusteca
