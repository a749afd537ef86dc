#include "qt/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "play/key_names.h"

namespace mojara::qt {

namespace {

// The keys of the file and the ranges of their values.
constexpr const char* kScale = "window/scale";
constexpr const char* kFullScreen = "window/fullScreen";
constexpr const char* kMusic = "sound/music";
constexpr const char* kEffects = "sound/effects";
constexpr const char* kMuted = "sound/muted";
constexpr const char* kAttract = "title/attract";
constexpr const char* kLang = "game/lang";

// The key of a binding: keys1/punch, pad2/heelDrop, ...
QString bindingKey(const char* group, int player, const CommandInfo& command) {
  return QStringLiteral("%1%2/%3")
      .arg(QLatin1String(group))
      .arg(player + 1)
      .arg(QString::fromUtf8(command.settingName.data(), static_cast<qsizetype>(command.settingName.size())));
}
constexpr const char* kKeys = "keys";
constexpr const char* kPad = "pad";

// Whether every line is one QSettings writes back as it read it: blank, a [section] or a
// key=value. Anything else (a comment, a stray word, binary junk) would be dropped on writing.
bool keepsEveryLine(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return true;
  const QByteArray bytes = file.readAll();
  if (bytes.contains('\0')) return false;
  for (const QByteArray& raw : bytes.split('\n')) {
    const QByteArray line = raw.trimmed();
    if (line.isEmpty() || (line.startsWith('[') && line.endsWith(']'))) continue;
    if (line.indexOf('=') <= 0) return false;
  }
  return true;
}

}  // namespace

QString SettingsFile::settingsPath() {
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty() || QDir::isRelativePath(config)) config = QDir::homePath() + QStringLiteral("/.config");
  return config + QStringLiteral("/mojara/settings.ini");
}

SettingsFile::SettingsFile(const QString& path, Warn warn) : warn_(std::move(warn)) {
  const QFileInfo info(path);
  file_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
  std::string problem;
  if (info.exists() && (!info.isFile() || !info.isReadable()))
    problem = "cannot be read";
  else if (file_->status() == QSettings::FormatError || (info.exists() && !keepsEveryLine(path)))
    problem = "is damaged or hand-edited past what the game can keep";
  else if (file_->status() == QSettings::AccessError)
    problem = "cannot be read";
  if (!problem.empty()) {
    // Written over, it would lose what the player kept in it.
    writable_ = false;
    warn_("the settings file " + path.toStdString() + " " + problem +
          "; the game starts with its defaults and leaves the file as it is");
    return;
  }
  std::string bad;  // the keys whose values the game cannot use
  const auto unusable = [&bad](const char* key) { bad += std::string(bad.empty() ? "" : ", ") + key; };
  const auto readInt = [&](const char* key, int lowest, int highest, auto set) {
    if (!file_->contains(QString::fromLatin1(key))) return;
    bool ok = false;
    const int value = file_->value(QString::fromLatin1(key)).toString().trimmed().toInt(&ok);
    if (ok && value >= lowest && value <= highest)
      set(value);
    else
      unusable(key);
  };
  const auto readBool = [&](const char* key, bool& into) {
    if (!file_->contains(QString::fromLatin1(key))) return;
    const QString text = file_->value(QString::fromLatin1(key)).toString().trimmed().toLower();
    if (text == QStringLiteral("true") || text == QStringLiteral("1"))
      into = true;
    else if (text == QStringLiteral("false") || text == QStringLiteral("0"))
      into = false;
    else
      unusable(key);
  };
  readInt(kScale, 1, Settings::kMaxScale, [this](int v) { settings_.scale = v; });
  readBool(kFullScreen, settings_.fullScreen);
  readInt(kMusic, 0, Settings::kLevelSteps, [this](int v) { settings_.music = v; });
  readInt(kEffects, 0, Settings::kLevelSteps, [this](int v) { settings_.effects = v; });
  readBool(kMuted, settings_.muted);
  readBool(kAttract, settings_.attract);
  readBindings(unusable);
  if (file_->contains(QString::fromLatin1(kLang))) {
    const std::string lang = file_->value(QString::fromLatin1(kLang)).toString().trimmed().toStdString();
    if (isLanguage(lang))
      settings_.lang = lang;
    else
      unusable(kLang);
  }
  if (!bad.empty())
    warn_("the settings file " + path.toStdString() + " has values the game cannot use (" + bad +
          "); it uses its defaults for them");
}

void SettingsFile::readBindings(const std::function<void(const char*)>& unusable) {
  KeyBindings& b = settings_.bindings;
  std::string bindingsKey;  // kept alive for `unusable`
  for (int player = 0; player < kPlayers; ++player)
    for (const CommandInfo& c : commands()) {
      const QString keyName = bindingKey(kKeys, player, c), padName = bindingKey(kPad, player, c);
      if (file_->contains(keyName)) {
        const int code = keyCodeOf(file_->value(keyName).toString().trimmed().toStdString(), true);
        bindingsKey = keyName.toStdString();
        if (code > 0)
          b.key(player, c.command) = code;
        else
          unusable(bindingsKey.c_str());
      }
      if (file_->contains(padName)) {
        const auto button = padButtonOf(file_->value(padName).toString().trimmed().toStdString());
        bindingsKey = padName.toStdString();
        if (button)
          b.button(player, c.command) = *button;
        else
          unusable(bindingsKey.c_str());
      }
    }
  if (auto problem = b.problem()) {
    b = KeyBindings::defaults();
    warn_("the key bindings in the settings file cannot be used (" + *problem +
          "); the game plays with its default keys and leaves the file as it is");
  }
}

SettingsFile::~SettingsFile() = default;

void SettingsFile::keep(const Settings& changed) {
  const Settings before = settings_;
  settings_ = changed;
  if (!writable_) return;
  const auto put = [this](const char* key, const QVariant& value) { file_->setValue(QString::fromLatin1(key), value); };
  if (changed.scale != before.scale) {
    if (changed.scale)
      put(kScale, *changed.scale);
    else
      file_->remove(QString::fromLatin1(kScale));
  }
  if (changed.fullScreen != before.fullScreen) put(kFullScreen, changed.fullScreen);
  if (changed.music != before.music) put(kMusic, changed.music);
  if (changed.effects != before.effects) put(kEffects, changed.effects);
  if (changed.muted != before.muted) put(kMuted, changed.muted);
  if (changed.attract != before.attract) put(kAttract, changed.attract);
  for (int player = 0; player < kPlayers; ++player)
    for (const CommandInfo& c : commands()) {
      if (changed.bindings.key(player, c.command) != before.bindings.key(player, c.command))
        file_->setValue(bindingKey(kKeys, player, c),
                        QString::fromStdString(keyNameOf(changed.bindings.key(player, c.command), true)));
      if (changed.bindings.button(player, c.command) != before.bindings.button(player, c.command))
        file_->setValue(bindingKey(kPad, player, c),
                        QString::fromUtf8(padButtonName(changed.bindings.button(player, c.command)).data()));
    }
  if (changed.lang != before.lang) put(kLang, QString::fromStdString(changed.lang));
  file_->sync();
  if (file_->status() != QSettings::NoError) {
    writable_ = false;
    warn_("cannot write the settings file " + file_->fileName().toStdString() + "; changes are not kept");
  }
}

}  // namespace mojara::qt
