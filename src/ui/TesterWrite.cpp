#include "TesterWrite.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>
#include <QStringList>

#include "MessageBoxes.h"
#include "Messages.h"
#include "MeterHost.h"
#include "PathText.h"
#include "RecordTrouble.h"
#include "TesterExchange.h"
#include "UserWords.h"

HalfChangeWords TranslatedHalfChangeWords() {
  const auto text = [](const char* english) {
    return QCoreApplication::translate("HalfChange", english).toStdString();
  };
  HalfChangeWords words;
  words.voltageWord = text(QT_TRANSLATE_NOOP("HalfChange", "voltage word"));
  words.balanceWord = text(QT_TRANSLATE_NOOP("HalfChange", "calibration word"));
  words.autoModeByte = text(QT_TRANSLATE_NOOP("HalfChange", "AUTO-mode byte"));
  words.voltageBit = text(QT_TRANSLATE_NOOP("HalfChange", "voltage bit"));
  words.blockCrc = text(QT_TRANSLATE_NOOP("HalfChange", "settings block's checksum"));
  words.otherAddress = text(QT_TRANSLATE_NOOP("HalfChange", "EEPROM address %1"));
  words.cutShort = text(QT_TRANSLATE_NOOP(
      "HalfChange",
      "The change was cut short between its writes: the tester may now hold a mix of old and new "
      "bytes, neither the old setting nor the new one (its %1)."));
  words.oldOrNew = text(QT_TRANSLATE_NOOP("HalfChange", "%1 %2 (old) or %3 (new)"));
  words.list = text(QT_TRANSLATE_NOOP("HalfChange", "%1, %2"));
  words.offeredLater = text(QT_TRANSLATE_NOOP(
      "HalfChange",
      "It will be offered for finishing or undoing the next time this tester is met."));
  words.notKept = text(QT_TRANSLATE_NOOP(
      "HalfChange",
      "The record of changes could not keep this, so it cannot be offered for finishing or "
      "undoing: have the tester checked."));
  words.finished = text(QT_TRANSLATE_NOOP(
      "HalfChange",
      "The change has been finished: the tester now holds the new setting throughout."));
  words.undone = text(QT_TRANSLATE_NOOP(
      "HalfChange",
      "The change has been undone: the tester holds its old setting throughout again."));
  return words;
}

namespace {

// Hands a note of the record on to the message that tells how the change
// came out, whichever it is (success, no device, failure report): what a
// change cut short may have left in the tester, and a record that could not
// be written.
class RecordNoteToNextBox {
 public:
  explicit RecordNoteToNextBox(ChangeRecorder& recorder) : recorder_(recorder) {}
  ~RecordNoteToNextBox() {
    // Each addition goes before those waiting: the tester's state first.
    AddDetailsToNextBox(RecordNoteText(recorder_.TakeNote()));
    if (const auto halfChange = recorder_.TakeHalfChange())
      AddDetailsToNextBox(
          QString::fromStdString(HalfChangedText(*halfChange, TranslatedHalfChangeWords())));
  }
  RecordNoteToNextBox(const RecordNoteToNextBox&) = delete;
  RecordNoteToNextBox& operator=(const RecordNoteToNextBox&) = delete;

 private:
  ChangeRecorder& recorder_;
};

QString Tr(const char* source) { return QCoreApplication::translate("HalfChange", source); }

// A setting's value as the offer names it: the voltage itself, otherwise
// only whether it is the old or the new one.
QString ValueText(const ChangeLine& halfChange, bool written) {
  const auto& value = written ? halfChange.to : halfChange.from;
  if (halfChange.setting == kSettingVoltage && value)
    return Tr(QT_TRANSLATE_NOOP("HalfChange", "%1 V")).arg(*value);
  return written ? Tr(QT_TRANSLATE_NOOP("HalfChange", "new setting's"))
                 : Tr(QT_TRANSLATE_NOOP("HalfChange", "old setting's"));
}

// What was being changed, without the bytes.
QString ChangeText(const ChangeLine& halfChange) {
  if (halfChange.setting == kSettingVoltage && halfChange.from && halfChange.to)
    return Tr(QT_TRANSLATE_NOOP("HalfChange", "nominal voltage %1 V → %2 V"))
        .arg(*halfChange.from)
        .arg(*halfChange.to);
  if (halfChange.setting == kSettingAutoMode)
    return Tr(QT_TRANSLATE_NOOP("HalfChange", "the RCD AUTO-mode settings"));
  return QString::fromStdString(halfChange.change);
}

QString Hex(const std::string& bytes) {
  return QString::fromLatin1(QByteArray::fromStdString(bytes).toHex(' ').toUpper());
}

}  // namespace

HalfChangeOffer HalfChangeOfferOf(const FoundHalfChange& found) {
  const ChangeLine& halfChange = found.line;
  const HalfChangeWords words = TranslatedHalfChangeWords();
  QStringList held;
  QStringList bytes;
  for (size_t i = 0; i < halfChange.locations.size(); ++i) {
    const LocationLine& location = halfChange.locations[i];
    const QString name =
        QString::fromStdString(LocationName(halfChange.model, location.address, words));
    const bool written = found.examined.found[i] == BytesOfHex(location.written);
    held << (written ? Tr(QT_TRANSLATE_NOOP("HalfChange", "the %1 already holds the %2 value"))
                     : Tr(QT_TRANSLATE_NOOP("HalfChange", "the %1 still holds the %2 one")))
                .arg(name, ValueText(halfChange, written));
    bytes << Tr(QT_TRANSLATE_NOOP("HalfChange",
                                  "%1 (EEPROM address %2): before the change %3, to be written "
                                  "%4, holds %5 now."))
                 .arg(name)
                 .arg(location.address)
                 .arg(QString::fromStdString(location.before),
                      QString::fromStdString(location.written), Hex(found.examined.found[i]));
  }
  const QDateTime begun =
      QDateTime::fromString(QString::fromStdString(halfChange.time), Qt::ISODateWithMs);
  const QString when = QLocale().toString(begun.toLocalTime(), QLocale::ShortFormat);
  HalfChangeOffer offer;
  offer.text =
      Tr(QT_TRANSLATE_NOOP("HalfChange",
                           "The change of the %1 on port %2, begun %3, was cut short: "
                           "%4.\rIn the tester now %5. Until this is put right the tester "
                           "is neither as it was nor as it was meant to be."))
          .arg(QString::fromStdString(halfChange.model), QString::fromStdString(halfChange.port),
               when, ChangeText(halfChange), held.join(Tr(QT_TRANSLATE_NOOP("HalfChange", "; "))));
  offer.details =
      Tr(QT_TRANSLATE_NOOP("HalfChange", "Change %1, begun %2 (UTC)."))
          .arg(QString::fromStdString(halfChange.id), QString::fromStdString(halfChange.time)) +
      QLatin1Char('\n') + bytes.join(QLatin1Char('\n'));
  return offer;
}

namespace {

// Asked when the record cannot take the first line of a change of several
// writes: the line is idle, so the user may answer while the exchange waits.
bool UnrecordedChangeAllowed(const std::string& reason) {
  const TesterExchangePause answering;
  return Boxes().Confirm(kUnrecordedChangeQuestion, false, QString::fromStdString(reason));
}

// The write with the tester, recorded in the host's record; false when the
// tester refused it. Raises ChangeNotRecorded, with nothing sent, when the
// user would not have it made without a trace.
bool RecordedWrite(MeterHost& host, const Asked& asked, const std::function<bool()>& write) {
  TMeter& meter = host.Meter();
  ChangeRecorder& recorder = host.Recorder();
  const RecordNoteToNextBox note(recorder);
  recorder.UnrecordedChangeAllowed = UnrecordedChangeAllowed;
  return recorder.Recorded(meter, meter.Port->Port(), asked, [&] { return WithTester(write); });
}

// Puts the half-change right once the user has chosen how: the tester
// identified anew, as before any write, then the repair written and
// recorded; the user told what the tester holds now.
bool RunRepair(MeterHost& host, const ChangeLine& halfChange, Repair repair) {
  TMeter& meter = host.Meter();
  if (!host.MeterCorrect(meter.MeterType)) return false;
  bool repaired = false;
  try {
    repaired = RecordedWrite(host, RepairOf(halfChange, repair),
                             [&] { return WriteRepair(meter, halfChange, repair); });
  } catch (const ChangeNotRecorded&) {
    return false;  // the user would not have it made without a trace: nothing sent
  }
  if (!repaired) {
    Boxes().Information(kRepairOvertakenMessage);
    return false;
  }
  Boxes().Information(QString::fromStdString(RepairedText(repair, TranslatedHalfChangeWords())));
  return true;
}

// The record could not be read: the user is told, with the file and why.
void TellRecordUnreadable(const RecordUnreadable& unreadable) {
  Boxes().Information(kRecordUnreadableMessage,
                      RecordTroubleDetails(Utf8Of(unreadable.file), unreadable.reason));
}

// What the look-up for a change cut short on the tester came to.
enum class LookUp {
  Nothing,     // none pending on it
  PutRight,    // one found, and finished or undone now
  Left,        // one found, and left for now (or the repair overtaken)
  Unreadable,  // the record could not be read: the user has been told
};

// Looks for a change cut short on the identified tester and, when it holds
// one, offers to put it right.
LookUp LookForHalfChange(MeterHost& host) {
  TMeter& meter = host.Meter();
  const std::string port = meter.Port->Port();
  std::optional<FoundHalfChange> found;
  try {
    const RecordNoteToNextBox note(host.Recorder());
    found = WithTester([&] { return FindHalfChange(host.Recorder(), meter, port); });
  } catch (const RecordUnreadable& unreadable) {
    TellRecordUnreadable(unreadable);
    return LookUp::Unreadable;
  }
  if (!found) return LookUp::Nothing;
  const HalfChangeOffer offer = HalfChangeOfferOf(*found);
  const int choice = Boxes().Choose(HalfChangeOfferMessage(offer.text),
                                    {kFinishChoice, kUndoChoice, kLeaveChoice}, offer.details);
  if (choice != 0 && choice != 1) return LookUp::Left;
  return RunRepair(host, found->line, choice == 0 ? Repair::Finish : Repair::Undo)
             ? LookUp::PutRight
             : LookUp::Left;
}

}  // namespace

bool HalfChangeSettled(MeterHost& host) {
  // A record that cannot be read still lets a dialog show what the tester
  // holds; its write is refused.
  return LookForHalfChange(host) != LookUp::Left;
}

bool RepairPicked(MeterHost& host, const ChangeLine& halfChange, Repair repair,
                  const std::function<bool(const FoundHalfChange&)>& confirm) {
  TMeter& meter = host.Meter();
  if (!host.MeterCorrect(meter.MeterType)) return true;  // another type: the user was told
  std::optional<FoundHalfChange> found;
  try {
    const RecordNoteToNextBox note(host.Recorder());
    found = WithTester([&] { return FindHalfChange(host.Recorder(), meter, meter.Port->Port()); });
  } catch (const RecordUnreadable& unreadable) {
    TellRecordUnreadable(unreadable);
    return true;
  }
  if (!found || found->line.id != halfChange.id) return false;
  if (confirm(*found)) RunRepair(host, found->line, repair);
  return true;
}

WriteOutcome WriteToTester(MeterHost& host, const Asked& asked,
                           const std::function<bool()>& write) {
  // Another tester plugged in meanwhile: MeterCorrect has said so.
  if (!host.MeterCorrect(host.Meter().MeterType)) return WriteOutcome::OtherTester;
  switch (LookForHalfChange(host)) {
    case LookUp::Nothing:
      try {
        return RecordedWrite(host, asked, write) ? WriteOutcome::Written : WriteOutcome::NotWritten;
      } catch (const ChangeNotRecorded&) {
        return WriteOutcome::NotWritten;  // the user would not have it made without a trace
      }
    case LookUp::Unreadable:
      // It may hide a change cut short, which a write would build on.
      return WriteOutcome::NotWritten;
    case LookUp::PutRight:
    case LookUp::Left:
      break;
  }
  // One of the model holding a change cut short: it was offered for putting
  // right instead, and nothing is built on it.
  return WriteOutcome::HalfChanged;
}
