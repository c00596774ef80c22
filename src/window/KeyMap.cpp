#include "KeyMap.h"

#include <QFile>
#include <QKeySequence>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

namespace {

struct Mistakes {
    QString file;
    int count = 0;

    void report(int line, const QString& what) {
        std::fprintf(stderr, "%s:%d: %s\n", qPrintable(file), line, qPrintable(what));
        ++count;
    }
};

std::optional<HostAction> actionNamed(const QString& name) {
    for (const HostKey& key : kDefaultHostKeys)
        if (name == QLatin1String(key.setting)) return key.action;
    return std::nullopt;
}

// One "name = value" line of a section.
struct Setting {
    int line;
    QString name;
    QString value;
};

// Reads the [keys] and [host] settings; structural mistakes are reported.
void readSettings(QTextStream& text, Mistakes& mistakes, std::vector<Setting>& keys,
                  std::vector<Setting>& host) {
    std::vector<Setting>* section = nullptr;
    for (int number = 1; !text.atEnd(); ++number) {
        const QString line = text.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#') || line.startsWith(';')) continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            const QString name = line.mid(1, line.size() - 2).trimmed();
            section = name == "keys" ? &keys : name == "host" ? &host : nullptr;
            if (!section) mistakes.report(number, "unknown section [" + name + "]");
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) {
            mistakes.report(number, "expected NAME = VALUE or [section], found '" + line + "'");
        } else if (!section) {
            mistakes.report(number, "a setting outside the [keys] and [host] sections");
        } else {
            section->push_back(
                {number, line.left(equals).trimmed(), line.mid(equals + 1).trimmed()});
        }
    }
}

} // namespace

std::optional<int> keyNamed(const QString& name) {
    const QKeySequence sequence = QKeySequence::fromString(name, QKeySequence::PortableText);
    if (sequence.count() != 1 || sequence[0].keyboardModifiers() != Qt::NoModifier)
        return std::nullopt;
    const int key = sequence[0].key();
    if (key == Qt::Key_unknown || key == 0) return std::nullopt;
    return key;
}

QString textOfKey(int qtKey) {
    if (qtKey >= 32 && qtKey <= 126) return QString(QChar(qtKey));
    if (qtKey == Qt::Key_Return) return QStringLiteral("\r");
    if (qtKey == Qt::Key_Backspace) return QStringLiteral("\b");
    return {};
}

KeyMap::KeyMap() {
    for (const HostKey& key : kDefaultHostKeys)
        hostKeys[key.action] = *keyNamed(key.defaultName);
}

KeyMap KeyMap::fromFile(const QString& path) {
    Mistakes mistakes{path};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "%s: cannot read the key map (%s); the default keys apply\n",
                     qPrintable(path), qPrintable(file.errorString()));
        return {};
    }
    QTextStream text(&file);
    std::vector<Setting> keys;
    std::vector<Setting> host;
    readSettings(text, mistakes, keys, host);

    KeyMap map;
    std::map<HostAction, int> actionLines;
    for (const Setting& setting : host) {
        const auto action = actionNamed(setting.name);
        const auto key = setting.value == "none" ? std::optional<int>(0) : keyNamed(setting.value);
        if (!action) {
            mistakes.report(setting.line, "unknown host action '" + setting.name + "'");
        } else if (!key) {
            mistakes.report(setting.line, "unknown key name '" + setting.value + "'");
        } else if (actionLines.count(*action)) {
            mistakes.report(setting.line, "'" + setting.name + "' set twice (first on line " +
                                              QString::number(actionLines[*action]) + ")");
        } else {
            actionLines[*action] = setting.line;
            if (*key)
                map.hostKeys[*action] = *key;
            else
                map.hostKeys.erase(*action);
        }
    }
    std::map<int, int> keyLines;
    for (const Setting& setting : keys) {
        const auto from = keyNamed(setting.name);
        const auto to = keyNamed(setting.value);
        if (!from || !to) {
            mistakes.report(setting.line,
                            "unknown key name '" + (from ? setting.value : setting.name) + "'");
        } else if (keyLines.count(*from)) {
            mistakes.report(setting.line, "'" + setting.name + "' mapped twice (first on line " +
                                              QString::number(keyLines[*from]) + ")");
        } else if (map.hostActionOf(*from)) {
            mistakes.report(setting.line, "'" + setting.name +
                                              "' is a host key: move its action in [host] first");
        } else {
            keyLines[*from] = setting.line;
            map.mapped[*from] = *to;
        }
    }
    std::map<int, HostAction> owners;
    for (const auto& [action, key] : map.hostKeys) {
        const auto [owner, added] = owners.emplace(key, action);
        if (!added)
            mistakes.report(std::max(actionLines[action], actionLines[owner->second]),
                            "two host actions on one key");
    }
    if (mistakes.count == 0) return map;
    std::fprintf(stderr, "%s: the key map is not used; the default keys apply\n", qPrintable(path));
    return {};
}

std::optional<HostAction> KeyMap::hostActionOf(int qtKey) const {
    for (const auto& [action, key] : hostKeys)
        if (key == qtKey) return action;
    return std::nullopt;
}

int KeyMap::applicationKeyOf(int qtKey) const {
    const auto found = mapped.find(qtKey);
    return found == mapped.end() ? qtKey : found->second;
}
