#pragma once
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

namespace opusteca::test {

// While it lives, catches every URL the program hands the shell to open (web,
// mail and file), so a test sees them and nothing is really opened.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher();
    ~UrlCatcher() override;
    static QStringList schemes();

    QList<QUrl> urls;

public slots:
    void open(const QUrl &url);
};

} // namespace opusteca::test
