#pragma once
#include <gtest/gtest.h>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include "view/ControlCatalogue.h"
#include "view/ControlView.h"
#include "view/MessageIcon.h"

// A window made of plain values, for logic tests that need no widgets. It knows the controls of
// the window's catalogue, enabled and empty until written, and fails the test on any other name;
// messages are recorded instead of shown.
class FakeControlView : public view::ControlView {
 public:
  explicit FakeControlView(const view::WindowSpec& window) {
    for (const view::ControlSpec& row : window.controls) known_.insert(QString::fromLatin1(row.name));
  }

  QMap<QString, QString> texts;
  QMap<QString, bool> disabled;  // absent means enabled
  QMap<QString, bool> checked;
  QMap<QString, QStringList> items;
  QMap<QString, int> listIndex;
  QStringList messages;  // "title: text", after "[stop] " when the box shows the stop sign
  QString caption;
  bool active = true;

  QString Text(const QString& c) const override {
    return items.contains(Known(c)) ? items[c].value(listIndex.value(c, -1)) : texts.value(c);
  }
  void SetText(const QString& c, const QString& t) override { texts[Known(c)] = t; }
  void AppendText(const QString& c, const QString& t) override { texts[Known(c)] += t; }
  bool IsEnabled(const QString& c) const override { return !disabled.value(Known(c), false); }
  void SetEnabled(const QString& c, bool e) override { disabled[Known(c)] = !e; }
  bool IsChecked(const QString& c) const override { return checked.value(Known(c), false); }
  void AddItem(const QString& c, const QString& item) override { items[Known(c)].append(item); }
  void ClearItems(const QString& c) override {
    items[Known(c)].clear();
    listIndex[c] = -1;
  }
  void SetListIndex(const QString& c, int i) override { listIndex[Known(c)] = i; }
  void SetCaption(const QString& c) override { caption = c; }
  bool IsActiveWindow() const override { return active; }
  void ShowMessage(const QString& text, const QString& title, view::MessageIcon icon) override {
    messages << (icon == view::MessageIcon::Critical ? "[stop] " : "") + title + ": " + text;
  }

 private:
  const QString& Known(const QString& c) const {
    if (!known_.contains(c)) ADD_FAILURE() << "the window has no control named " << c.toStdString();
    return c;
  }
  QSet<QString> known_;
};
