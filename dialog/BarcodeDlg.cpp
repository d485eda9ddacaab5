#include "dialog/BarcodeDlg.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "base/BoundedCopy.h"
#include "base/Strings.h"
#include "lists/CodeList.h"
#include "platform/FileWriter.h"
#include "symbology/Dispatch.h"
#include "symbology/Postal.h"

namespace diduzozoz {

namespace {

// The controls each code type owns; the enabling rule treats them as one set.
struct TypeControls {
    int radio;
    int checkBox;
    int pattern;
    int extra[2];  // 0 where the type has fewer
    int form;      // the form list; 0 for a type with one form
};

constexpr TypeControls kTypeControls[kSymbologyCount] = {
    {0, 0, 0, {0, 0}, 0},
    {IDC_NW7, IDC_CD_NW7, IDC_PAT_NW7, {IDC_NW7_START, IDC_NW7_STOP}, 0},
    {IDC_CODE39, IDC_CD_CODE39, IDC_PAT_CODE39, {0, 0}, 0},
    {IDC_JAN, IDC_CD_JAN, IDC_PAT_JAN, {0, 0}, IDC_JAN_FORM},
    {IDC_ITF, IDC_CD_ITF, IDC_PAT_ITF, {0, 0}, IDC_ITF_FORM},
    {IDC_CODE128, IDC_CD_CODE128, IDC_PAT_CODE128, {IDC_CODE128_START, 0}, IDC_CODE128_FORM},
    {IDC_POSTAL, IDC_CD_POSTAL, IDC_PAT_POSTAL, {0, 0}, IDC_POSTAL_FORM},
};

// The code type whose control this is, as kind says, or 0.
int TypeOf(int id, int TypeControls::*kind) {
    for (int n = kSymbologyNw7; n <= kSymbologyPostal; ++n) {
        if (kTypeControls[n].*kind == id) return n;
    }
    return kSymbologyNone;
}

// The reference field and its label in each postal form. The digits form's place is the
// template's; an address needs more room, taken from the free space to the left on the same
// row, and the field scrolls for the rest.
struct RefField {
    const char* label;
    int labelX, labelCx;
    int comboX, comboCx;
};
constexpr RefField kRefFields[] = {
    {str::kRefNoLabel, 161, 42, 205, 60},
    {str::kAddressNumberLabel, 110, 48, 160, 105},
    {str::kAddressLabel, 110, 58, 170, 95},
};
static_assert(std::size(kRefFields) == kPostalFormAddress + 1);

// The context menu: its commands, texts and shortcuts (Ctrl with the key, and Shift where
// marked). Ctrl+C stays the edit fields' text copy; the barcode is copied with Ctrl+Shift+C.
struct MenuEntry {
    int command;
    const char* text;
    char key;  // 0: no shortcut
    bool shift;
    bool needsExport;  // offered while the preview shows an exported barcode
};
constexpr MenuEntry kMenu[] = {
    {IDM_SAVE, str::kMenuSave, 'S', false, true},
    {IDM_COPY, str::kMenuCopy, 'C', true, true},
    {IDM_PRINT, str::kMenuPrint, 'P', false, true},
    {IDM_LABELSHEET, str::kLabelMenu, 0, false, false},
};
const std::string kShortcutText[] = {"Ctrl+", "Ctrl+Shift+"};

struct SpinSpec {
    int id;
    int lower, upper, start;  // the control's range and start position
    int acceptLower, acceptUpper;
    int BarcodeSettings::*member;
    const char* refusal;
};

// The spins start where the settings start.
const BarcodeSettings kStart;
const SpinSpec kSpins[] = {
    {IDC_SPIN_HEIGHT, 20, 150, kStart.m_nBarHeight, 20, 150, &BarcodeSettings::m_nBarHeight,
     str::kHeightRange},
    {IDC_SPIN_MARGIN_Y, 0, 50, kStart.m_nMarginY, 20, 50, &BarcodeSettings::m_nMarginY,
     str::kMarginYRange},
    {IDC_SPIN_MARGIN_X, 0, 50, kStart.m_nMarginX, 1, 50, &BarcodeSettings::m_nMarginX,
     str::kMarginXRange},
};

}  // namespace

CBarcodeDlg::CBarcodeDlg(Controls& controls, WindowServices& window, MainWindowServices& main)
    : m_controls(controls),
      m_window(window),
      m_main(main),
      m_verifier([this] { m_window.Post([this] { TakeVerdict(); }); }) {}

CBarcodeDlg::~CBarcodeDlg() = default;

// --- Initialisation ----------------------------------------------------------------------------

void CBarcodeDlg::OnInitDialog() {
    m_aboutText = m_main.ResourceString(IDS_ABOUTBOX);
    if (!m_aboutText.empty()) m_main.AppendSystemMenuItem(IDM_ABOUTBOX, m_aboutText);

    // The start values; the start and stop choices stay empty until their combos are filled.
    BarcodeSettings& s = m_job;
    s = kStart;
    CopyText(s.m_szNW7Start, "");
    CopyText(s.m_szNW7Stop, "");
    CopyText(s.m_szCode128Start, "");

    ReadCodeList(str::kCodeListFile, str::kCodeListOpenFailed, IDC_CODE, kCodeListLineLimit,
                 kMaxCodeBytes, s.m_szCode, sizeof s.m_szCode);
    ReadCodeList(str::kRefNoListFile, str::kRefNoListOpenFailed, IDC_REFNO, kRefNoListLineLimit,
                 kMaxRefNoBytes, s.m_szRefNo, sizeof s.m_szRefNo);

    FillOptionCombos();

    for (const SpinSpec& spin : kSpins) {
        m_controls.SetRange(spin.id, spin.lower, spin.upper);
        m_controls.SetPos(spin.id, spin.start);
    }

    UpdateControlStates();
    Describe();
}

std::optional<std::vector<std::string>> CBarcodeDlg::ListFileItems(const char* fileName,
                                                                   std::size_t lineLimit,
                                                                   std::size_t memberLimit) {
    const std::optional<std::string> bytes = m_main.ReadListFile(fileName);
    if (!bytes) return std::nullopt;
    std::vector<std::string> items;
    for (const std::string& line : ParseCodeList(*bytes, lineLimit)) {
        // Invalid UTF-8 is shown with replacement characters, which take more bytes than the
        // bytes they replace; an item that no longer fits its member is left out.
        std::string item = ListItemText(line);
        if (item.size() <= memberLimit) items.push_back(std::move(item));
    }
    return items;
}

void CBarcodeDlg::ReadCodeList(const char* fileName, const char* failMessage, int combo,
                               std::size_t lineLimit, std::size_t memberLimit, char* member,
                               std::size_t memberSize) {
    const auto items = ListFileItems(fileName, lineLimit, memberLimit);
    if (!items) {
        m_window.ShowMessageBox(failMessage);
        return;
    }
    for (const std::string& item : *items) m_controls.AddItem(combo, item);
    if (combo == IDC_REFNO) m_refNoItems = *items;
    if (m_controls.ItemCount(combo) == 0) return;
    const std::string first = m_controls.ItemText(combo, 0);
    m_controls.SetCurSel(combo, 0);
    m_controls.SetText(combo, first);
    CopyText(member, memberSize, first);
}

void CBarcodeDlg::FillOptionCombos() {
    auto fill = [this](int id, std::initializer_list<const char*> items) {
        m_controls.ResetContent(id);
        for (const char* item : items) m_controls.AddItem(id, item);
        m_controls.SetCurSel(id, 0);
    };
    const auto& p = str::kNw7Patterns;
    fill(IDC_PAT_NW7, {p[0], p[1], p[2], p[3], p[4], p[5], p[6]});
    const auto& l = str::kStartStopLetters;
    fill(IDC_NW7_START, {l[0], l[1], l[2], l[3]});
    CopyText(m_job.m_szNW7Start, l[0]);
    fill(IDC_NW7_STOP, {l[0], l[1], l[2], l[3]});
    CopyText(m_job.m_szNW7Stop, l[0]);
    fill(IDC_PAT_CODE39, {str::kCode39Pattern});
    fill(IDC_PAT_CODE128, {str::kCode128Pattern});
    const auto& sets = str::kCode128StartSets;
    fill(IDC_CODE128_START, {sets[0], sets[1], sets[2]});
    CopyText(m_job.m_szCode128Start, sets[0]);
    fill(IDC_PAT_JAN, {str::kJanPattern});
    fill(IDC_PAT_ITF, {str::kItfPattern});
    fill(IDC_PAT_POSTAL, {str::kPostalPattern});
    const auto& u = str::kLineUnits;
    fill(IDC_LINE_UNIT, {u[0], u[1], u[2]});
    for (int n = kSymbologyNw7; n <= kSymbologyPostal; ++n) {
        const SymbologyEntry& entry = *SymbologyAt(n);
        const int id = kTypeControls[n].form;
        if (!id) continue;
        m_controls.ResetContent(id);
        for (int f = 0; f < entry.formCount; ++f) m_controls.AddItem(id, entry.forms[f].item);
        m_controls.SetCurSel(id, m_job.FormValue(n));
    }
}

void CBarcodeDlg::UpdateControlStates() {
    for (int n = kSymbologyNw7; n <= kSymbologyPostal; ++n) {
        const TypeControls& t = kTypeControls[n];
        for (int id : {t.checkBox, t.pattern, t.extra[0], t.extra[1], t.form}) {
            if (id) m_controls.EnableControl(id, false);
        }
    }
}

// --- Notifications -----------------------------------------------------------------------------

void CBarcodeDlg::OnClicked(int id) {
    if (id == IDC_CREATE) {
        RunCreate(Occasion::kButton);
    } else if (id == IDCANCEL) {
        m_window.EndDialog(IDCANCEL);
    } else if (id == IDC_TEXT_BELOW || id == IDC_TEXT_ABOVE) {
        OnTextBox(id);
    } else if (const int radio = TypeOf(id, &TypeControls::radio)) {
        OnSelectType(radio);
    } else if (const int box = TypeOf(id, &TypeControls::checkBox)) {
        OnCheckDigit(box);
    }
}

void CBarcodeDlg::OnSelChange(int id) {
    if (id == IDC_CODE || id == IDC_REFNO) {
        // The edit field is not updated yet when the pick is reported: the item by its index.
        OnComboText(id, m_controls.ItemText(id, m_controls.CurSel(id)));
    } else if (id == IDC_NW7_START || id == IDC_NW7_STOP || id == IDC_CODE128_START) {
        OnStartStop(id);
    } else if (id == IDC_LINE_UNIT) {
        OnLineUnit();
    } else if (const int type = TypeOf(id, &TypeControls::pattern)) {
        OnPattern(type);
    } else if (const int formType = TypeOf(id, &TypeControls::form)) {
        OnForm(formType);
    }
}

void CBarcodeDlg::OnEditChange(int id) {
    if (id == IDC_CODE || id == IDC_REFNO) OnComboText(id, m_controls.Text(id));
}

bool CBarcodeDlg::OnSysCommand(int command) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return false;
    m_main.RunAboutBox();
    return true;
}

bool CBarcodeDlg::PreTranslateKey(int virtualKey) {
    if (virtualKey != kVkReturn && virtualKey != kVkEscape) return false;
    m_window.Beep();
    return true;
}

bool CBarcodeDlg::AcceptsEdit(int id, std::string_view text) {
    const bool address = id == IDC_REFNO && IsPostalAddressForm(m_job.m_nPostalForm);
    const std::size_t limit = id == IDC_REFNO ? PostalRefLimit(m_job.m_nPostalForm)
                                              : static_cast<std::size_t>(kMaxCodeBytes);
    if (text.size() <= limit) return true;
    m_window.Beep();
    // A pasted address is refused whole: say why, or it looks as if the paste went nowhere.
    if (address) SetStatus(str::kAddressTooLong);
    return false;
}

void CBarcodeDlg::OnCopy() {
    if (m_hasExport) m_main.SetClipboardImage(m_job.m_export);
}

// --- The context menu --------------------------------------------------------------------------

std::vector<MenuItem> CBarcodeDlg::ContextMenu() const {
    std::vector<MenuItem> items;
    for (const MenuEntry& e : kMenu) {
        items.push_back({e.command, e.text, e.key ? kShortcutText[e.shift] + e.key : "",
                         !e.needsExport || m_hasExport, false});
    }
    if (!m_aboutText.empty()) items.push_back({IDM_ABOUTBOX, m_aboutText, "", true, true});
    return items;
}

int CBarcodeDlg::ShortcutCommand(int key, bool shift) {
    for (const MenuEntry& e : kMenu) {
        if (e.key && e.key == key && e.shift == shift) return e.command;
    }
    return 0;
}

void CBarcodeDlg::OnMenuCommand(int command) {
    switch (command) {
        case IDM_SAVE:
            SaveExported();
            break;
        case IDM_COPY:
            OnCopy();
            break;
        case IDM_PRINT:
            if (m_hasExport) {
                // A paint's run while the print dialog is open draws anew.
                const ExportImage image = m_job.m_export;
                const verify::Meant meant = m_verifyMeant;
                ShowMessageIfAny(m_main.PrintImage(image, m_exportModulePixels, meant));
            }
            break;
        case IDM_LABELSHEET:
            m_main.RunLabelSheet(LabelSheetSourceNow());
            break;
        case IDM_ABOUTBOX:
            m_main.RunAboutBox();
            break;
        default:
            break;
    }
}

void CBarcodeDlg::SaveExported() {
    if (!m_hasExport) return;
    const ExportImage image = m_job.m_export;  // a paint's run while the file dialog is open
    SaveFileRequest request;
    request.folder = m_saveFolder;
    request.name = std::string(str::kSaveDefaultName) + '.' + m_saveExtension;
    request.filters = str::kSaveFilters;
    const std::optional<ImageFormat> kind = ImageFormatByName(m_saveExtension);
    request.filter = kind ? static_cast<int>(*kind) : 0;
    const std::string path = m_window.ChooseSaveFile(request);
    if (path.empty()) return;
    m_saveFolder = FolderOf(path);  // also after a failure: the user is there now
    const WriteStatus status = SaveImageFile(image, path);
    if (!status.Ok()) {
        m_window.ShowMessageBox(WriteFailureMessage(status, path));
        return;
    }
    m_saveExtension = ExtensionOf(path);
    for (char& c : m_saveExtension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

void CBarcodeDlg::ShowMessageIfAny(const std::string& text) {
    if (!text.empty()) m_window.ShowMessageBox(text);
}

// --- The Create command's occasions ------------------------------------------------------------

void CBarcodeDlg::RunCreate(Occasion occasion) {
    if (m_inCreate) {
        // Asked for from inside a run's message box: once that run is over.
        m_createPending = true;
        return;
    }
    if (occasion == Occasion::kButton) NoteUserChange();
    m_inCreate = true;
    m_occasion = occasion;
    ++m_createRuns;
    const bool exported = m_job.CreateBarcode();
    m_inCreate = false;
    SetHasExport(exported);
    VerifyDrawing(exported);
    if (m_createPending) {
        m_createPending = false;
        OnPaint();
    }
}

void CBarcodeDlg::OnPaint() {
    if (m_createQueued) return;
    m_createQueued = true;
    m_window.Post([this] {
        m_createQueued = false;
        if (!m_main.IsMinimised()) RunCreate(Occasion::kPaint);
    });
}

void CBarcodeDlg::NoteUserChange() {
    ++m_userActions;
    m_shownSinceChange.clear();
}

// --- The read-back verdict ---------------------------------------------------------------------

void CBarcodeDlg::VerifyDrawing(bool exported) {
    if (!exported) {
        ++m_verifyGeneration;
        m_verdictForDrawing = false;
        m_verdictText.clear();
        m_main.ShowVerdict({}, VerdictTone::kNeutral, 0, 0);
        Describe();
        return;
    }
    const ExportImage& image = m_job.m_export;
    verify::Meant meant = verify::MeantOf(m_job);
    // A repaint draws the same barcode again: its verdict is already shown or on its way.
    if (m_verdictForDrawing && meant == m_verifyMeant && image.width == m_verifyImage.width &&
        image.height == m_verifyImage.height && image.pixels == m_verifyImage.pixels) {
        return;
    }
    m_verdictForDrawing = true;
    m_verifyImage = image;
    m_verifyMeant = meant;
    m_verdictText = str::kVerdictPending;
    m_main.ShowVerdict(m_verdictText, VerdictTone::kNeutral, image.width, image.height);
    Describe();
    m_verifier.Start(++m_verifyGeneration, image, std::move(meant));
}

void CBarcodeDlg::TakeVerdict() {
    const CVerifier::Latest latest = m_verifier.Take();
    m_verdictsArrived = latest.arrived;
    if (latest.generation != m_verifyGeneration) return;  // an older drawing's
    const VerdictTone tone = latest.outcome == verify::Outcome::kOk     ? VerdictTone::kGood
                             : latest.outcome == verify::Outcome::kFail ? VerdictTone::kBad
                                                                        : VerdictTone::kNeutral;
    m_verdictText = latest.text;
    m_main.ShowVerdict(m_verdictText, tone, m_verifyImage.width, m_verifyImage.height);
    Describe();
}

void CBarcodeDlg::Describe() {
    std::string text = m_drawnText.empty()     ? std::string(str::kAccPreviewBlank)
                       : m_verdictText.empty() ? m_drawnText
                                               : m_drawnText + '\n' + m_verdictText;
    if (text == m_description) return;
    m_description = std::move(text);
    m_main.DescribePreview(m_description);
}

// --- The job's host ----------------------------------------------------------------------------

void CBarcodeDlg::ShowMessage(const std::string& text) {
    const bool seen = !m_shownSinceChange.insert(text).second;
    if (seen && m_occasion == Occasion::kPaint) return;  // the user has it already
    m_window.ShowMessageBox(text);
}

void CBarcodeDlg::RefreshStatus(const std::string& status) {
    m_controls.SetText(IDC_STATUS, status);
}

void CBarcodeDlg::SetStatus(const std::string& text) {
    m_job.SetStatus(text);
}

std::string CBarcodeDlg::CodeComboText() {
    return m_controls.Text(IDC_CODE);
}

std::string CBarcodeDlg::RefNoComboText() {
    return m_controls.Text(IDC_REFNO);
}

void CBarcodeDlg::RequestRepaint() {
    m_window.RepaintPreview();
    // Renderers set the status before they ask for the repaint; a cleared canvas is white.
    const BarCanvas& canvas = m_job.m_canvas;
    m_drawnText = canvas.UsedWidth() > 0 && canvas.UsedHeight() > 0 ? m_job.m_strStatus : "";
    Describe();
}

void CBarcodeDlg::ExportToClipboard(const ExportImage& image) {
    m_exportModulePixels = m_job.ModulePixels();
    m_main.SetClipboardImage(image);
}

void CBarcodeDlg::SetHasExport(bool exported) {
    m_hasExport = exported;
    m_main.EnableExportCommands(exported);
}

// --- Handlers ----------------------------------------------------------------------------------

void CBarcodeDlg::OnSelectType(int symbology) {
    NoteUserChange();
    m_job.m_nSymbology = symbology;
    SetStatus(FormatText(str::kTypeSelected[symbology], symbology, m_job.m_szCode));
    UpdateControlStates();
    const TypeControls& t = kTypeControls[symbology];
    for (int id : {t.checkBox, t.pattern, t.extra[0], t.extra[1], t.form}) {
        if (id) m_controls.EnableControl(id, true);
    }
}

void CBarcodeDlg::OnCheckDigit(int symbology) {
    NoteUserChange();
    int& word = *m_job.OptionWord(symbology);
    if (m_controls.IsChecked(kTypeControls[symbology].checkBox)) {
        word |= kCheckDigitOn;
    } else {
        word &= kPatternMask;
    }
    if ((word & kPatternMask) == 0) {
        SetStatus(str::kChoosePattern);
    } else {
        SetStatus(FormatText(str::kCheckDigitStatus, word));
    }
}

void CBarcodeDlg::OnPattern(int symbology) {
    NoteUserChange();
    const int combo = kTypeControls[symbology].pattern;
    const std::string item = m_controls.ItemText(combo, m_controls.CurSel(combo));
    // Every item begins with its pattern digit.
    const int digit = item.empty() ? 0 : static_cast<unsigned char>(item[0]);
    int& word = *m_job.OptionWord(symbology);
    word = (word & ~kPatternMask) | (digit & kPatternMask);
    SetStatus(FormatText(str::kPatternStatus, item.c_str(), word));
}

void CBarcodeDlg::OnForm(int symbology) {
    NoteUserChange();
    const int combo = kTypeControls[symbology].form;
    const int index = m_controls.CurSel(combo);
    int* form = m_job.FormOf(symbology);
    if (!form || index < 0 || index >= SymbologyAt(symbology)->formCount) return;
    const int before = *form;
    *form = index;
    const std::string item = m_controls.ItemText(combo, index);
    SetStatus(FormatText(str::kFormStatus, item.c_str(), *form));
    if (symbology == kSymbologyPostal) ShowReferenceField(before);
}

void CBarcodeDlg::ShowReferenceField(int formBefore) {
    const int form = m_job.m_nPostalForm;
    const RefField& field = kRefFields[form];
    m_controls.SetText(IDC_REFNO_LABEL, field.label);
    m_controls.PlaceControl(IDC_REFNO_LABEL, field.labelX, 12, field.labelCx, 10);
    m_controls.PlaceControl(IDC_REFNO, field.comboX, 10, field.comboCx, 146);
    const bool address = IsPostalAddressForm(form);
    if (address == IsPostalAddressForm(formBefore)) return;

    // The address forms read the list again with items of an address's length; the digits
    // form shows what it read at start.
    std::vector<std::string> items = m_refNoItems;
    if (address) {
        items = ListFileItems(str::kRefNoListFile, kMaxAddressBytes, kMaxAddressBytes)
                    .value_or(std::vector<std::string>{});
        if (!m_addressStarted && !items.empty()) CopyText(m_job.m_szAddress, items[0]);
        m_addressStarted = true;
    }
    m_controls.ResetContent(IDC_REFNO);
    for (const std::string& item : items) m_controls.AddItem(IDC_REFNO, item);
    const std::string text(address ? TextView(m_job.m_szAddress) : TextView(m_job.m_szRefNo));
    const auto at = std::find(items.begin(), items.end(), text);
    m_controls.SetCurSel(IDC_REFNO, at == items.end() ? -1 : static_cast<int>(at - items.begin()));
    m_controls.SetText(IDC_REFNO, text);
}

void CBarcodeDlg::OnStartStop(int id) {
    NoteUserChange();
    const std::string letter = m_controls.ItemText(id, m_controls.CurSel(id));
    char* member = id == IDC_NW7_START  ? m_job.m_szNW7Start
                   : id == IDC_NW7_STOP ? m_job.m_szNW7Stop
                                        : m_job.m_szCode128Start;
    CopyText(member, 2, letter);
    SetStatus(FormatText("%s", letter.c_str()));
}

void CBarcodeDlg::OnTextBox(int id) {
    NoteUserChange();
    const bool below = id == IDC_TEXT_BELOW;
    m_controls.SetChecked(below ? IDC_TEXT_ABOVE : IDC_TEXT_BELOW, false);
    const int position = below ? kTextBelow : kTextAbove;
    m_job.m_nTextPosition = m_controls.IsChecked(id) ? position : kTextNone;
    SetStatus(
        FormatText(below ? str::kTextBelowStatus : str::kTextAboveStatus, m_job.m_nTextPosition));
}

void CBarcodeDlg::OnLineUnit() {
    NoteUserChange();
    const int index = m_controls.CurSel(IDC_LINE_UNIT);
    m_job.m_nLineUnit = index + 1;
    const std::string item = m_controls.ItemText(IDC_LINE_UNIT, index);
    SetStatus(FormatText(str::kLineUnitStatus, item.c_str(), index + 1));
}

void CBarcodeDlg::OnDeltaPos(int id, int pos, int delta) {
    const auto spin = std::find_if(std::begin(kSpins), std::end(kSpins),
                                   [id](const SpinSpec& s) { return s.id == id; });
    if (spin == std::end(kSpins)) return;
    NoteUserChange();
    // Only +1 is a step up; every other change, whatever its size, is one step down.
    const int value = delta == 1 ? pos + 1 : pos - 1;
    if (value < spin->acceptLower || value > spin->acceptUpper) {
        m_window.ShowMessageBox(spin->refusal);
        return;
    }
    m_job.*(spin->member) = value;
    SetStatus(FormatText(str::kSpinStatus, value));
    RunCreate(Occasion::kSpin);
}

void CBarcodeDlg::OnComboText(int id, const std::string& text) {
    NoteUserChange();
    if (id == IDC_CODE) {
        CopyText(m_job.m_szCode, text);
        SetStatus(FormatText("%s", m_job.m_szCode));
        return;
    }
    CopyPostalRef(m_job, text);
    const bool address = IsPostalAddressForm(m_job.m_nPostalForm);
    SetStatus(FormatText("%s", address ? m_job.m_szAddress : m_job.m_szRefNo));
}

LabelSheetSource CBarcodeDlg::LabelSheetSourceNow() {
    LabelSheetSource source;
    source.settings = static_cast<const BarcodeSettings&>(m_job);
    for (int i = 0; i < m_controls.ItemCount(IDC_CODE); ++i) {
        source.listCodes.push_back(m_controls.ItemText(IDC_CODE, i));
    }
    source.code = m_controls.Text(IDC_CODE);
    source.ref = m_controls.Text(IDC_REFNO);
    return source;
}

}  // namespace diduzozoz
