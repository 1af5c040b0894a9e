#pragma once

#include <QHash>
#include <QWizard>
#include <QWizardPage>

#include "wordsets/WordSetWizard.h"

namespace zq {

class CWordDatabase;
class SettingsStore;
class WordSetWizardDialog;

// A page of the word set wizard built from its template. It shows the
// wizard's fields in its controls, hands each click to the wizard and takes
// its buttons from it.
class COptionPage : public QWizardPage {
    Q_OBJECT
  public:
    COptionPage(WordSetWizard& wizard, int page, int templateId);

    QWidget* control(int id) const { return controls_.value(id); }
    const QHash<int, QWidget*>& controls() const { return controls_; }
    // The buttons as last worked out.
    const WizardButtons& buttons() const { return buttons_; }

    bool isComplete() const override;
    int nextId() const override;
    void initializePage() override;
    void cleanupPage() override;
    bool validatePage() override;

    // Works the buttons out again from the wizard's fields and shows them.
    void refresh();

  protected:
    // Puts the fields into the controls.
    virtual void showFields() {}
    // Takes the controls into the fields.
    virtual void takeControls() {}

    WordSetWizard& wizard_;
    const int page_;
    // Set while the fields are put into the controls, whose signals then
    // are not clicks.
    bool showing_ = false;

  private:
    QHash<int, QWidget*> controls_;
    WizardButtons buttons_;
};

// Page 1: with or without definitions.
class COptionPage1 final : public COptionPage {
    Q_OBJECT
  public:
    explicit COptionPage1(WordSetWizard& wizard);

  protected:
    void showFields() override;
    void takeControls() override;
};

// Page 2: the sets list.
class COptionPage2 final : public COptionPage {
    Q_OBJECT
  public:
    explicit COptionPage2(WordSetWizard& wizard);

  protected:
    void showFields() override;
    void takeControls() override;
};

// Page 3: the letters of a custom set.
class COptionPage3 final : public COptionPage {
    Q_OBJECT
  public:
    explicit COptionPage3(WordSetWizard& wizard);

  protected:
    void showFields() override;
    void takeControls() override;
};

// Page 4: the length limit of a custom set.
class COptionPage4 final : public COptionPage {
    Q_OBJECT
  public:
    explicit COptionPage4(WordSetWizard& wizard);

  protected:
    void showFields() override;
    void takeControls() override;
};

// The four-page wizard that chooses the user's word set. Finish stores the
// choice and marks the set; Cancel leaves everything as it was.
class WordSetWizardDialog : public QWizard {
    Q_OBJECT
  public:
    WordSetWizardDialog(CWordDatabase& database, SettingsStore& settings, bool forPrinting,
                        QWidget* parent = nullptr);

    WordSetWizard& wizard() { return wizard_; }
    COptionPage* optionPage(int page) const;
    // A control of any page by its id.
    QWidget* control(int id) const;
    template <class W> W* control(int id) const { return qobject_cast<W*>(control(id)); }

    void done(int result) override;

  private:
    WordSetWizard wizard_;
};

// Runs the wizard modally over the program's settings: 1 when the user
// pressed Finish (the choice is stored and the set marked; `chosen`, when
// given, receives it, stored or not), 2 when the wizard was cancelled.
int runWordSetWizard(CWordDatabase& database, bool forPrinting, QWidget* parent = nullptr,
                     CWordSetCriteria* chosen = nullptr);

} // namespace zq
