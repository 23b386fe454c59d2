#include "retrieval/PlayerData.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <algorithm>
#include <utility>

#include "platform/Inet.h"

namespace retrieval {
namespace {

constexpr QStringView PlayerDataName = u"ytInitialPlayerResponse";
constexpr QStringView JsonParseCall = u"JSON.parse(";

bool IsNamePart(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; }

qsizetype SkipSpace(QStringView text, qsizetype at) {
  while (at < text.size() && text[at].isSpace()) ++at;
  return at;
}

// Where the assigned value starts when the name at `name` is assigned to (`name = `, or
// `window["name"] = `), or -1 for any other use of the name (a comparison, a longer name).
qsizetype AssignedValue(QStringView page, qsizetype name) {
  if (name > 0 && IsNamePart(page[name - 1])) return -1;
  qsizetype at = name + PlayerDataName.size();
  if (page.mid(at).startsWith(u"\"]") || page.mid(at).startsWith(u"']")) at += 2;
  at = SkipSpace(page, at);
  if (!page.mid(at).startsWith(u'=') || page.mid(at).startsWith(u"==")) return -1;
  return SkipSpace(page, at + 1);
}

int HexValue(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'a' && u <= u'f') return u - u'a' + 10;
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  return -1;
}

// The UTF-16 unit that exactly `count` hexadecimal digits write.
std::optional<char16_t> HexUnit(QStringView digits, qsizetype count) {
  if (digits.size() != count) return std::nullopt;
  char16_t unit = 0;
  for (const QChar c : digits) {
    const int value = HexValue(c);
    if (value < 0) return std::nullopt;
    unit = char16_t(unit * 16 + value);
  }
  return unit;
}

// What a backslash and one character stand for in a JavaScript string: \\, \', \" and the rest
// stand for themselves.
QChar SingleEscape(QChar escaped) {
  static constexpr std::pair<char16_t, char16_t> Escapes[] = {
      {u'n', u'\n'}, {u't', u'\t'}, {u'r', u'\r'}, {u'b', u'\b'}, {u'f', u'\f'}, {u'v', u'\v'}, {u'0', u'\0'}};
  for (const auto& [letter, character] : Escapes) {
    if (escaped == letter) return character;
  }
  return escaped;
}

// The text of the JavaScript string literal whose opening quote is at `quote`, its escapes
// resolved, or nothing when the literal is cut short or holds an escape that is not one. `end`
// gets where the reading stopped.
std::optional<QString> StringLiteralAt(QStringView page, qsizetype quote, qsizetype& end) {
  const QChar closing = page[quote];
  QString text;
  for (qsizetype& i = end = quote + 1; i < page.size(); ++i) {
    const QChar c = page[i];
    if (c == closing) return text;
    if (c == u'\n' || c == u'\r') return std::nullopt;
    if (c != u'\\') {
      text += c;
      continue;
    }
    if (++i >= page.size()) return std::nullopt;
    const QChar e = page[i];
    if (e == u'x' || e == u'u') {
      const qsizetype digits = e == u'x' ? 2 : 4;
      const std::optional<char16_t> unit = HexUnit(page.mid(i + 1, digits), digits);
      if (!unit) return std::nullopt;
      text += QChar(*unit);
      i += digits;
      continue;
    }
    if (e == u'\r' || e == u'\n') {  // a line continuation stands for nothing
      if (e == u'\r' && i + 1 < page.size() && page[i + 1] == u'\n') ++i;
      continue;
    }
    text += SingleEscape(e);
  }
  return std::nullopt;
}

// Looks for the player data through one page, in order. Work stays in proportion to the page
// whatever it holds: a hostile page full of assignments that each read on to its end is given up
// on once it has been converted and parsed a few times over.
class PlayerDataSearch {
 public:
  explicit PlayerDataSearch(QStringView page) : page_(page) {}

  std::optional<QJsonObject> First() {
    for (qsizetype name = page_.indexOf(PlayerDataName); name >= 0 && budget_ > 0;
         name = page_.indexOf(PlayerDataName, name + PlayerDataName.size())) {
      const qsizetype value = AssignedValue(page_, name);
      if (value < 0) continue;
      const std::optional<QJsonObject> object =
          page_.mid(value).startsWith(u'{') ? ObjectLiteralAt(value) : StringLiteralAt(value);
      if (object && object->value(QLatin1String("videoDetails")).isObject()) return object;
    }
    return std::nullopt;
  }

 private:
  // The object literal that starts at `brace` and ends where the JSON parser says the object
  // does, whatever script follows it. The parser reports the end as garbage after the object;
  // the second pass then reads exactly the object.
  std::optional<QJsonObject> ObjectLiteralAt(qsizetype brace) {
    const QByteArray rest = page_.mid(brace).toUtf8();
    QJsonParseError error{};
    QJsonDocument document = QJsonDocument::fromJson(rest, &error);
    budget_ -= page_.size() - brace + error.offset;
    if (error.error == QJsonParseError::GarbageAtEnd)
      document = QJsonDocument::fromJson(QByteArray::fromRawData(rest.data(), error.offset), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
    return document.object();
  }

  // The JSON a string literal (alone, or as the argument of JSON.parse) holds, read whole. A
  // literal with the same quote that opens where an earlier one was read cannot end elsewhere
  // than that one did, and is not read again.
  std::optional<QJsonObject> StringLiteralAt(qsizetype at) {
    if (page_.mid(at).startsWith(JsonParseCall)) at = SkipSpace(page_, at + JsonParseCall.size());
    const QStringView literal = page_.mid(at);
    if (!literal.startsWith(u'\'') && !literal.startsWith(u'"')) return std::nullopt;
    qsizetype& readTo = literal.startsWith(u'"') ? doubleQuotedTo_ : singleQuotedTo_;
    if (at < readTo) return std::nullopt;
    const std::optional<QString> json = retrieval::StringLiteralAt(page_, at, readTo);
    if (!json) return std::nullopt;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(json->toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) return std::nullopt;
    return document.object();
  }

  QStringView page_;
  qsizetype budget_ = 4 * page_.size() + 4096;  // characters that may still be converted and parsed
  qsizetype doubleQuotedTo_ = 0, singleQuotedTo_ = 0;
};

std::optional<QString> Text(const QJsonValue& value) {
  if (!value.isString()) return std::nullopt;
  return value.toString();
}

// "1234567" becomes "1,234,567"; a count that is not all digits is shown as the page gives it.
QString GroupedDigits(const QString& count) {
  const bool digits =
      !count.isEmpty() && std::all_of(count.begin(), count.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
  if (!digits) return count;
  QString grouped = count;
  for (qsizetype at = grouped.size() - 3; at > 0; at -= 3) grouped.insert(at, u',');
  return grouped;
}

// The information box breaks lines at CR LF only.
QString WithCrLf(QString text) {
  text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
  return text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
}

// The download link is handed to the desktop as it stands, so only a web address will do: never
// a local file or anything else the desktop would open. A format that needs its signature
// deciphered has no usable address.
std::optional<QString> PlainAddress(const QJsonObject& format) {
  if (format.contains(QLatin1String("signatureCipher")) || format.contains(QLatin1String("cipher")))
    return std::nullopt;
  const std::optional<QString> url = Text(format.value(QLatin1String("url")));
  if (!url || !platform::IsWebAddress(QUrl(*url))) return std::nullopt;
  return url;
}

// itag 18 is the one format with picture and sound that most videos still offer.
std::optional<QString> DirectLink(const QJsonArray& formats) {
  std::optional<QString> firstMp4, first;
  for (const QJsonValue& value : formats) {
    const QJsonObject format = value.toObject();
    const std::optional<QString> address = PlainAddress(format);
    if (!address) continue;
    if (format.value(QLatin1String("itag")).toInt() == 18) return address;
    if (!firstMp4 &&
        Text(format.value(QLatin1String("mimeType"))).value_or(QString()).startsWith(QLatin1String("video/mp4")))
      firstMp4 = address;
    if (!first) first = address;
  }
  return firstMp4 ? firstMp4 : first;
}

std::optional<QString> Unplayable(const QJsonObject& playability) {
  const std::optional<QString> status = Text(playability.value(QLatin1String("status")));
  if (!status || *status == QLatin1String("OK")) return std::nullopt;
  const QString reason = Text(playability.value(QLatin1String("reason"))).value_or(QString());
  return reason.isEmpty() ? *status : reason;
}

}  // namespace

std::optional<VideoInfo> ReadPlayerData(QStringView page) {
  const std::optional<QJsonObject> response = PlayerDataSearch(page).First();
  if (!response) return std::nullopt;
  const QJsonObject details = response->value(QLatin1String("videoDetails")).toObject();
  const QJsonObject microformat = response->value(QLatin1String("microformat"))
                                      .toObject()
                                      .value(QLatin1String("playerMicroformatRenderer"))
                                      .toObject();
  VideoInfo info;
  info.Title = Text(details.value(QLatin1String("title")));
  info.User = Text(details.value(QLatin1String("author")));
  // A date alone or a date and time: the day is what the box shows.
  if (const auto date = Text(microformat.value(QLatin1String("publishDate")))) info.Date = date->left(10);
  if (const auto views = Text(details.value(QLatin1String("viewCount")))) info.Views = GroupedDigits(*views);
  info.Category = Text(microformat.value(QLatin1String("category")));
  if (const auto description = Text(details.value(QLatin1String("shortDescription"))))
    info.Description = WithCrLf(*description);
  info.DirectLink =
      DirectLink(response->value(QLatin1String("streamingData")).toObject().value(QLatin1String("formats")).toArray());
  info.Unplayable = Unplayable(response->value(QLatin1String("playabilityStatus")).toObject());
  return info;
}

VideoInfo ReadVideoInfo(QStringView page) {
  if (std::optional<VideoInfo> info = ReadPlayerData(page)) return *std::move(info);
  return ExtractVideoInfo(page);
}

}  // namespace retrieval
