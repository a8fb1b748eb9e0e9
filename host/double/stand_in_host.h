// A stand-in for the closed Vorlane host: it loads (or is attached to) the
// plug-in, drives its lifecycle, keeps the configuration and contact tables,
// the icon image list and the log, routes what the plug-ins send between
// them (the answerers), and records every message the plug-in sends
// together with its result. It is the host's side of the contract only; the
// application built on it (host/app/) adds the windows and the scenarios.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <stdint.h>
#include <map>
#include <string>
#include <vector>
#include "answerers.h"
#include "contract/host_api.h"
#include "contract/host_messages.h"
#include "contract/host_status.h"
#include "control_declarations.h"
#include "control_panel.h"

typedef int(__stdcall* IMessageProcFn)(HostMessage*);

// A 52-byte notification request (host message 774201) addressed to the
// plug-in as other plug-ins send it: `text`, no contact (-2), everything
// else 0 for the caller to fill in.
inline PopupRequest popupRequest(const char* text) {
    PopupRequest r = {};
    r.size = NOTIFY_REQUEST_SIZE;
    r.id = NOTIFY_REQUEST;
    r.net = NOTIFY_NETWORK;
    r.typeMask = -1;
    r.text = text;
    r.originContact = -2;
    return r;
}

// The host's icon identifiers of statuses (0x4NNSSSS0): a status code (or
// as many bits of the status as the mask keeps) on a network.
const uint32_t STATUS_ICONS = 0x40000000u;
uint32_t statusIcon(int net, int status, uint32_t statusMask = STATUS_CODE_MASK);
inline bool isStatusIcon(uint32_t iconId) { return (iconId >> 28) == (STATUS_ICONS >> 28); }

class StandInHost final : public HostControl {
public:
    StandInHost();
    ~StandInHost();

    // --- attaching the plug-in -------------------------------------------
    // LoadLibraryA + GetProcAddress("_IMessageProc@4"); false when either fails.
    bool loadPlugin(const char* dllPath);
    // In-process attachment (tests linking the plug-in's static library).
    void attachPlugin(IMessageProcFn proc, HINSTANCE module);
    void unloadPlugin();

    // --- talking to the plug-in --------------------------------------------
    int deliver(HostMessage* message);               // IMessageProc(message)
    int send(int id, intptr_t p1 = 0, intptr_t p2 = 0);  // builds a HostMessage2
    // Lifecycle: 20001 (p1 = this), 21001, 22000, 22100 ... 22101, 20002.
    int start();
    int declareColumns();
    int declareOptions();
    int createWindow();
    int destroyWindow();
    int stop();
    int runStartup();   // start, declareColumns, declareOptions, createWindow
    void runShutdown(); // destroyWindow, stop

    // --- tables --------------------------------------------------------------
    struct Column {
        int table, column, type;
        int32_t defaultInt;
        std::string defaultText, key;
    };
    std::vector<Column> columns;  // in registration order
    int configIntValue(int column) const;
    std::string configTextValue(int column) const;
    void setConfig(int column, int value);
    void setConfig(int column, const std::string& text);
    // Contacts: text columns 0, 6, 8, 17; network 1, status 2, gender 20, icon 30.
    int addContact(int net, const std::string& userId, const std::string& name = "");
    void setContact(int row, int column, int value);
    void setContact(int row, int column, const std::string& text);
    int contactIntValue(int row, int column) const;
    std::string contactTextValue(int row, int column) const;

    // --- icons (messages 10134 and 10133) ---------------------------------
    HIMAGELIST imageList();
    int iconIndex(int iconId);   // index of the 16 x 16 image for that identifier
    // The colour of the filled square drawn for an identifier that has no
    // registered icon resource (0x00BBGGRR).
    static COLORREF iconColour(int iconId);
    // Icons registered by message 10130: icon number -> resource number.
    std::map<int, int> registeredIcons;

    // --- log (message 1) ------------------------------------------------------
    std::vector<std::string> log;

    // --- routing ------------------------------------------------------------
    // The network plug-ins the host plays and the other plug-ins it loads
    // (30010, 30016, 30031 ... sent to them), and stand-ins for the host's
    // own answers. Nobody at an address means lastError != 0 for the sender.
    Answerers answerers;

    // Messages the host holds for the window's listener replay (103 / 106).
    struct HeldMessage {
        int net, type;
        std::string from, body;
    };
    std::vector<HeldMessage> heldMessages;

    // The answer to message 13003 (non-zero: no window entry for a message).
    int answer13003 = 0;
    // A click on a preview sample (10103 for actions 774117..774119) is
    // answered with a 22200 ActionNotice to the plug-in, as the real host does.
    bool echoSampleClicks = true;

    // --- options controls (10101 declares, 10106 reads, 10108 sets the
    // text, 10110 sets the value) ---------------------------------------------
    // What the plug-in declared during the last 22000, in order.
    const std::vector<ControlDeclaration>& declaredControls() const { return declared; }
    // The options window showing the controls, or null: it answers for the
    // controls it shows.
    void showControlsIn(ControlPanel* panel) { controlPanel = panel; }
    ControlPanel* shownControls() const { return controlPanel; }
    // Without a control shown for the action, the host keeps the texts set
    // by 10108 (and 10110) by action id; a control bound to a column
    // (BOUND_CONTROL | column) reads and 10110 writes that configuration
    // column.
    std::map<int, std::string> controlTexts;

    // --- recording --------------------------------------------------------------
    struct Sent {
        int id, net, typeMask, size, plugin;  // plugin: -1 for sendMessage
        intptr_t p1, p2;
        std::vector<uint8_t> bytes;     // the record as sent
        std::vector<uint8_t> p1Bytes;   // for known p1 records: its bytes (ActionNotice etc.)
        std::string p1Text;             // for message 1 and others carrying text in p1
        int result;
    };
    std::vector<Sent> sent;
    std::vector<int> errors;     // every setError code, in order
    int countSent(int id) const;
    const Sent* lastSent(int id) const;
    void clearRecords();

    // --- threads ----------------------------------------------------------------
    DWORD mainThreadId;
    int recalls = 0;  // how many times recallOnMainThread ran
    // Delivers the message on a new thread while this (main) thread keeps
    // pumping messages, so recallOnMainThread can re-deliver it here.
    int deliverOnThread(HostMessage* message);

    // --- HostControl --------------------------------------------------------------
    int reserved0() override { return 0; }
    int pluginId() override { return 77; }
    int reserved2() override { return 0; }
    HINSTANCE moduleHandle() override { return module; }
    int lastError() override { return lastErrorCode; }
    void setError(int code) override;
    int reserved6() override { return 0; }
    int sendMessage(HostMessage* message) override;
    int sendMessageTo(int plugin, HostMessage* message) override;
    int reserved9() override { return 0; }
    int reserved10() override { return 0; }
    int reserved11() override { return 0; }
    int reserved12() override { return 0; }
    int reserved13() override { return 0; }
    int reserved14() override { return 0; }
    int reserved15() override { return 0; }
    int isForeignThread(int zero) override;
    int recallOnMainThread(int zero, int one) override;
    int reserved18() override { return 0; }
    int reserved19() override { return 0; }
    int reserved20() override { return 0; }
    int getValue(int table, int row, int column, HostValue* value) override;
    int setValue(int table, int row, int column, HostValue* value) override;

private:
    HMODULE library = nullptr;
    HINSTANCE module = nullptr;
    IMessageProcFn proc = nullptr;
    int lastErrorCode = 0;
    struct Cell {
        bool isText = false;
        int32_t number = 0;
        std::string text;
    };
    std::map<int, Cell> configCells;
    std::map<std::pair<int, int>, Cell> contactCells;
    int contactRows = 0;
    std::string scratch;  // host text handed out for integer cells read as text
    HIMAGELIST icons = nullptr;
    std::map<int, int> iconIndices;
    HWND recallWindow = nullptr;
    CRITICAL_SECTION deliveryLock;
    std::map<DWORD, HostMessage*> delivering;  // record being handled, per thread
    bool holdsPlugin = false;                  // between 20001 and 20002
    std::vector<ControlDeclaration> declared;
    bool collectingControls = false;           // during 22000
    ControlPanel* controlPanel = nullptr;

    const Cell* findCell(int table, int row, int column) const;
    const Column* findColumn(int table, int column) const;
    // A cell's value, else its column's default, else 0 / "".
    int cellInt(int table, int row, int column) const;
    std::string cellText(int table, int row, int column) const;
    int towardsNetwork(HostMessage* message);
    int addIconImage(int iconId);

    // A message to the host itself (net 0), and its parameters.
    struct HostCall {
        HostMessage* message;
        intptr_t p1, p2;
        const Sent& record;  // with what p1 pointed to
    };
    typedef int (StandInHost::*HostAnswer)(const HostCall& call);
    int hostMessage(HostMessage* message, Sent& record);
    void recordPointers(HostMessage* message, intptr_t p1, Sent& record) const;
    static HostAnswer answerOf(int id);
    // One answer per host message (host_messages.cpp).
    int answerLogLine(const HostCall& call);
    int answerHeldCount(const HostCall& call);
    int answerHeldMessage(const HostCall& call);
    int answerContactRow(const HostCall& call);
    int answerColumn(const HostCall& call);
    int answerClick(const HostCall& call);
    int answerIcon(const HostCall& call);
    int answerIconIndex(const HostCall& call);
    int answerIconList(const HostCall& call);
    int answerNoWindowEntry(const HostCall& call);
    // The control messages, in one place (options_controls.cpp).
    int answerDeclaration(const HostCall& call);
    int answerReadControl(const HostCall& call);
    int answerSetControlText(const HostCall& call);
    int answerSetControlValue(const HostCall& call);
    static LRESULT CALLBACK recallProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
