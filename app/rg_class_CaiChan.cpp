#include "app/rg_class_CaiChan.h"

#include <QStringList>

namespace {

// One version-2 record: level, text, name (the same text), command id, description, shortcut
// key, Ctrl, Shift, separator, check mark, disabled, image index.
QStringList Item(int level, const QString& text, int32_t id, const QString& description = {}) {
    return {QString::number(level),
            text,
            text,
            QString::number(id),
            description,
            QString(),
            QStringLiteral("0"),
            QStringLiteral("0"),
            QStringLiteral("0"),
            QStringLiteral("0"),
            QStringLiteral("0"),
            QStringLiteral("-1")};
}

QStringList Separator() {
    return {QStringLiteral("1"), QString(),           QString(),           QStringLiteral("0"),
            QString(),           QString(),           QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("-1")};
}

QString BuildDefinition() {
    const QString notWritten = QStringLiteral("还未编写功能");
    QStringList fields{QStringLiteral("2")};
    fields << Item(0, QStringLiteral("操作"), menucmd::kOperate)
           << Item(1, QStringLiteral("添加"), menucmd::kAdd) << Separator()
           << Item(1, QStringLiteral("删除"), menucmd::kDelete) << Separator()
           << Item(1, QStringLiteral("删除全部"), menucmd::kDeleteAll) << Separator()
           << Item(1, QStringLiteral("打印预览边距"), menucmd::kPrintMargins)
           << Item(0, QStringLiteral("帮助"), menucmd::kHelp)
           << Item(1, QStringLiteral("检测更新"), menucmd::kCheckUpdates, notWritten) << Separator()
           << Item(1, QStringLiteral("关于"), menucmd::kAbout, notWritten);
    return fields.join(u'\n');
}

}  // namespace

const ClassDescriptor& rg_class_CaiChan::StaticClass() {
    static const ClassDescriptor d = MakeClassDescriptor(
        "rg_class_CaiChan", [] { return new rg_class_CaiChan; }, {&rg_CaiChanLei::StaticClass()});
    return d;
}

QString rg_class_CaiChan::DefinitionText() const {
    static const QString text = BuildDefinition();
    return text;
}
