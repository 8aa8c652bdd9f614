// The wizard frame: one dialog window with the pages of a manager stacked
// on its display panel and Back/Next navigation between them.
#pragma once

#include <vector>

#include "Forms.h"

namespace vtrl {

class TPanel;
class TTabControl;
class TBaseInstallForm;

class TBaseFormContainer : public TForm {
    VTRL_CLASS(TBaseFormContainer)
public:
    explicit TBaseFormContainer(TComponent* AOwner);
    ~TBaseFormContainer() override;

    // The rectangle in which pages are placed.
    TPanel* DisplayPanel = nullptr;
    // Hidden; its tab index is the number of the active page.
    TTabControl* Tabs = nullptr;
    // The pages in wizard order (owned by the frame as components).
    const std::vector<TBaseInstallForm*>& Pages() const { return FPages; }

    // Creates the pages of CurrentDialogManager from the page registry and
    // sorts them by Order; returns their number. Raises Exception when no
    // manager is current.
    int BuildPages();
    // Activates the page at Index, passing over pages that ask to be
    // skipped (towards the start when Backwards); nothing happens beyond
    // either end. True when a page was activated.
    bool GotoPage(int Index, bool Backwards);
    // The next page that may be activated, or, when there is none, the end
    // of the wizard with modal result OK.
    virtual void NextPage();
    virtual void PreviousPage();
    // The active page's number; -1 before any page was activated.
    int ActivePageIndex() const;
    bool IsFirstPage() const { return ActivePageIndex() == 0; }
    bool IsLastPage() const { return ActivePageIndex() == static_cast<int>(FPages.size()) - 1; }

    void FormCreate(TComponent* Sender);
    void FormDestroy(TComponent* Sender);
    void FormResize(TComponent* Sender);
    void FormShow(TComponent* Sender);
    void TabsChange(TComponent* Sender);
    void TabsChanging(TComponent* Sender);

    // Closing the frame (its close box, Alt+F4, Esc) presses the active
    // page's Cancel button: the same question, then the user's abort. A
    // page without one stays. The frame never closes itself that way.
    bool CloseQuery() override;

protected:
    // Resized by code or by its window: the pages follow (FormResize).
    void BoundsChanged() override;

private:
    void PlacePage(TBaseInstallForm* Page);
    std::vector<TBaseInstallForm*> FPages;
    int FActivePage = -1;
    bool FSuppressResize = false;
};

}  // namespace vtrl
