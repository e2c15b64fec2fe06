#include "loans/ScreenParts.h"

#include "kit/Conventions.h"
#include "kit/DialogScreen.h"
#include "kit/Pictures.h"
#include "kit/Style.h"
#include "kit/TfrmGuida.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace opusteca::loanui {

CommandPicture *addHeader(QBoxLayout *layout, QWidget *screen, const QString &art, const QString &title,
                          const QString &subtitle)
{
    auto *band = style::panel(QStringLiteral("shpIntestazione"), style::Panel::Paper, screen);
    auto *h = new QHBoxLayout(band);
    h->setContentsMargins(10, 6, 10, 6);
    h->setSpacing(12);
    h->addWidget(artwork::picture(QStringLiteral("imgLogo"), art, QSize(48, 48), band));
    auto *texts = new QVBoxLayout;
    texts->setSpacing(2);
    auto *lblTitolo = new QLabel(title, band);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setFont(style::font(13, true));
    style::setTextColour(lblTitolo, style::colour::title);
    auto *lblSottotitolo = new QLabel(subtitle, band);
    lblSottotitolo->setFont(style::font(9));
    style::setTextColour(lblSottotitolo, style::colour::subtitle);
    texts->addWidget(lblTitolo);
    texts->addWidget(lblSottotitolo);
    h->addLayout(texts, 1);
    auto *cmdGuida = new CommandPicture(QStringLiteral("cmdGuida"), QStringLiteral("guida"), QSize(40, 40), band);
    auto *dialog = qobject_cast<DialogScreen *>(screen);
    QObject::connect(cmdGuida, &CommandPicture::clicked, screen, [dialog] {
        if (dialog) TfrmGuida::openTopic(dialog->app(), dialog, dialog->objectName());
    });
    h->addWidget(cmdGuida);
    layout->addWidget(band);
    return cmdGuida;
}

StatusLine *addFoot(QBoxLayout *layout, QWidget *screen, CommandPicture *cmdGuida, const QString &idle,
                    const QList<QPushButton *> &actions)
{
    auto *buttons = new QHBoxLayout;
    auto *btnChiudi = dialogButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), screen);
    buttons->addWidget(btnChiudi);
    buttons->addStretch(1);
    // The actions were made first: Tab still goes from Chiudi to them, left to right.
    QWidget *previous = btnChiudi;
    for (QPushButton *action : actions) {
        if (action != actions.first()) buttons->addSpacing(12);
        buttons->addWidget(action);
        QWidget::setTabOrder(previous, action);
        previous = action;
    }
    layout->addLayout(buttons);
    if (auto *dialog = qobject_cast<QDialog *>(screen))
        QObject::connect(btnChiudi, &QPushButton::clicked, dialog, &QDialog::reject);

    StatusLine *status = addStatusBar(layout, screen, idle);
    status->addHover(cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto."));
    status->addHover(btnChiudi, QStringLiteral("Chiudi questa schermata."));
    return status;
}

} // namespace opusteca::loanui
