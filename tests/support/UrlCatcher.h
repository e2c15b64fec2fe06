#pragma once
#include <QList>
#include <QObject>
#include <QUrl>

namespace opusteca::test {

// While it lives, catches the file URLs the program hands the shell to open, so a
// test sees them and nothing is really opened.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher();
    ~UrlCatcher() override;

    QList<QUrl> urls;

public slots:
    void open(const QUrl &url);
};

} // namespace opusteca::test
