#pragma once
#include <QMap>
#include <QString>
#include <QStringList>
#include <vector>

#include "platform/ControlView.h"
#include "platform/MessageIcon.h"

// A window made of plain values, for logic tests that need no widgets. Controls spring into
// existence enabled and empty on first use; messages are recorded instead of shown.
class FakeControlView : public platform::ControlView {
 public:
  struct Message {
    QString text;
    QString title;
    platform::MessageIcon icon;
  };

  QMap<QString, QString> texts;
  QMap<QString, bool> disabled;  // absent means enabled
  QMap<QString, bool> checked;
  QMap<QString, QStringList> items;
  QMap<QString, int> listIndex;
  std::vector<Message> messages;

  QString Text(const QString& c) const override {
    if (items.contains(c)) {
      const int i = listIndex.value(c, -1);
      return i >= 0 && i < items[c].size() ? items[c][i] : QString();
    }
    return texts.value(c);
  }
  void SetText(const QString& c, const QString& t) override { texts[c] = t; }
  void AppendText(const QString& c, const QString& t) override { texts[c] += t; }
  bool IsEnabled(const QString& c) const override { return !disabled.value(c, false); }
  void SetEnabled(const QString& c, bool e) override { disabled[c] = !e; }
  bool IsChecked(const QString& c) const override { return checked.value(c, false); }
  void AddItem(const QString& c, const QString& item) override { items[c].append(item); }
  void ClearItems(const QString& c) override {
    items[c].clear();
    listIndex[c] = -1;
  }
  void SetListIndex(const QString& c, int i) override { listIndex[c] = i; }
  void ShowMessage(const QString& text, const QString& title, platform::MessageIcon icon) override {
    messages.push_back({text, title, icon});
  }
};
