#include "phonebook/contactrules.h"

#include <QRegularExpression>

namespace ContactRules {

QString numberPattern() {
    return QStringLiteral("[0123456789*#+]+");
}

bool isValidNumber(const QString& number) {
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(numberPattern()));
    return number.size() <= kMaxNumberLength && pattern.match(number).hasMatch();
}

bool isValidEmail(const QString& email) {
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QStringLiteral("[A-Za-z0-9._%-]+@[A-Za-z0-9._%-]+\\.[A-Za-z]{2,4}")));
    return pattern.match(email).hasMatch();
}

FormCheck checkForm(const QString& name, const QString& mobile, const QString& email) {
    if (name.trimmed().isEmpty() || mobile.isEmpty())
        return FormCheck::MissingField;
    if (!email.isEmpty() && !isValidEmail(email))
        return FormCheck::BadEmail;
    return FormCheck::Ok;
}

QString proposeGroupName(const QStringList& groups) {
    QStringList taken;
    for (const QString& g : groups)
        taken.append(g.toUpper());
    const QString base = QStringLiteral("GROUP");
    if (!taken.contains(base))
        return base;
    for (int n = 0; n <= 18; ++n) {
        const QString name = base + ' ' + QString::number(n);
        if (!taken.contains(name))
            return name;
    }
    return {};
}

Rename checkRename(const QStringList& groups, const QString& old, const QString& now) {
    if (now.isEmpty())
        return Rename::Empty;
    if (now == old)
        return Rename::Unchanged;
    if (groups.contains(now))
        return Rename::Exists;
    return Rename::Ok;
}

} // namespace ContactRules
