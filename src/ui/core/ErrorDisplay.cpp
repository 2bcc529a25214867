#include "ui/core/ErrorDisplay.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace gibomer {

static ErrorDisplay::Sink& sink()
{
    static ErrorDisplay::Sink s;
    return s;
}

void ErrorDisplay::setSink(Sink s)
{
    sink() = std::move(s);
}

void ErrorDisplay::show(const QString& message, const QString& details)
{
    if (sink()) {
        sink()(message, details);
        return;
    }
    ErrorDisplay dialog(message, details, QApplication::activeWindow());
    dialog.exec();
}

ErrorDisplay::ErrorDisplay(const QString& message, const QString& details, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Napaka"));
    m_report = details.isEmpty() ? message : message + QStringLiteral("\n\n") + details;

    auto* icon = new QLabel;
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(40, 40));
    auto* text = new QLabel(message);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(text, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    if (!details.isEmpty()) {
        auto* detailBox = new QPlainTextEdit(details);
        detailBox->setReadOnly(true);
        detailBox->setMaximumHeight(120);
        layout->addWidget(detailBox);
    }
    layout->addWidget(new QLabel(QStringLiteral("Program bo deloval naprej.")));

    auto* buttons = new QDialogButtonBox;
    auto* copy = buttons->addButton(QStringLiteral("Kopiraj"), QDialogButtonBox::ActionRole);
    auto* ok = buttons->addButton(QStringLiteral("V redu"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(m_report); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(460, sizeHint().height());
}

} // namespace gibomer
