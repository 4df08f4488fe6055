#pragma once

#include "quenta/ole_color.h"
#include "quenta/property_bag.h"
#include "quenta/quenta_export.h"
#include "quenta/value_rules.h"

#include <QFont>
#include <QMetaMethod>
#include <QPoint>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <optional>

class QFocusEvent;
class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;
class QMimeData;
class QMouseEvent;
class QDropEvent;

namespace quenta {

enum class Property : quint8; // a row of the library's property table
struct PropertyRow;

// The numeric entry control: one single-line text box, `text1`, that always fills the control.
// When `text1` loses the focus the control reads a number from the text, limits it, converts
// it to the value type and lays it out by the format picture. The text is the value.
//
// Every public member is a Q_PROPERTY (or an invokable method) under its own name, so a
// container binds by name; dispatch_table.h gives the identifiers. Setters notify the
// container through PropertyChanged with exactly the property's name. Every property that can
// change has a change signal; the others are constant.
//
// Events are signals. Their arguments are references a handler may change (a KeyPress handler
// that sets KeyAscii to 0 keeps the character out), so handlers must be direct connections on
// the control's thread. Positions are in twips (1/1440 inch) of `text1`.
class QUENTA_EXPORT Quenta : public QWidget {
    Q_OBJECT

    // Own value model.
    Q_PROPERTY(QString Text READ Text WRITE setText NOTIFY Change)
    Q_PROPERTY(QString Value READ Value NOTIFY ValueChanged)
    Q_PROPERTY(qint32 ValType READ ValType WRITE setValType NOTIFY ValTypeChanged)
    Q_PROPERTY(double Max READ Max WRITE setMax NOTIFY MaxChanged)
    Q_PROPERTY(double Min READ Min WRITE setMin NOTIFY MinChanged)
    Q_PROPERTY(bool MaxLimitEnabled READ MaxLimitEnabled WRITE setMaxLimitEnabled NOTIFY
                   MaxLimitEnabledChanged)
    Q_PROPERTY(bool MinLimitEnabled READ MinLimitEnabled WRITE setMinLimitEnabled NOTIFY
                   MinLimitEnabledChanged)
    Q_PROPERTY(
        QString FormatString READ FormatString WRITE setFormatString NOTIFY FormatStringChanged)
    Q_PROPERTY(
        bool RoundToFormat READ RoundToFormat WRITE setRoundToFormat NOTIFY RoundToFormatChanged)
    Q_PROPERTY(qint32 Exponent READ Exponent WRITE setExponent NOTIFY ExponentChanged)
    Q_PROPERTY(bool ExpLocked READ ExpLocked WRITE setExpLocked NOTIFY ExpLockedChanged)
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE setAutoSelect NOTIFY AutoSelectChanged)

    // Passed on to text1.
    Q_PROPERTY(quint32 BackColor READ BackColor WRITE setBackColor NOTIFY BackColorChanged)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor NOTIFY ForeColorChanged)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setTextBoxEnabled NOTIFY EnabledChanged)
    Q_PROPERTY(QFont Font READ Font WRITE setTextBoxFont NOTIFY FontChanged)
    Q_PROPERTY(qint16 BorderStyle READ BorderStyle WRITE setBorderStyle NOTIFY BorderStyleChanged)
    Q_PROPERTY(qint16 Alignment READ Alignment WRITE setAlignment NOTIFY AlignmentChanged)
    Q_PROPERTY(qint16 Appearance READ Appearance WRITE setAppearance NOTIFY AppearanceChanged)
    Q_PROPERTY(bool CausesValidation READ CausesValidation WRITE setCausesValidation NOTIFY
                   CausesValidationChanged)
    Q_PROPERTY(QString DataFormat READ DataFormat WRITE setDataFormat NOTIFY DataFormatChanged)
    Q_PROPERTY(QString DataMember READ DataMember WRITE setDataMember NOTIFY DataMemberChanged)
    Q_PROPERTY(bool HideSelection READ HideSelection CONSTANT)
    Q_PROPERTY(QString LinkItem READ LinkItem WRITE setLinkItem NOTIFY LinkItemChanged)
    Q_PROPERTY(QString LinkTopic READ LinkTopic WRITE setLinkTopic NOTIFY LinkTopicChanged)
    Q_PROPERTY(qint16 LinkMode READ LinkMode WRITE setLinkMode NOTIFY LinkModeChanged)
    Q_PROPERTY(qint16 LinkTimeout READ LinkTimeout WRITE setLinkTimeout NOTIFY LinkTimeoutChanged)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked NOTIFY LockedChanged)
    Q_PROPERTY(qint32 MaxLength READ MaxLength WRITE setMaxLength NOTIFY MaxLengthChanged)
    Q_PROPERTY(
        qint16 MousePointer READ MousePointer WRITE setMousePointer NOTIFY MousePointerChanged)
    Q_PROPERTY(bool MultiLine READ MultiLine CONSTANT)
    Q_PROPERTY(qint16 OLEDragMode READ OLEDragMode WRITE setOLEDragMode NOTIFY OLEDragModeChanged)
    Q_PROPERTY(qint16 OLEDropMode READ OLEDropMode WRITE setOLEDropMode NOTIFY OLEDropModeChanged)
    Q_PROPERTY(
        QString PasswordChar READ PasswordChar WRITE setPasswordChar NOTIFY PasswordCharChanged)
    Q_PROPERTY(bool RightToLeft READ RightToLeft WRITE setRightToLeft NOTIFY RightToLeftChanged)
    Q_PROPERTY(qint16 ScrollBars READ ScrollBars CONSTANT)
    Q_PROPERTY(
        qint32 SelLength READ SelLength WRITE setSelLength NOTIFY SelectionChanged DESIGNABLE false)
    Q_PROPERTY(
        qint32 SelStart READ SelStart WRITE setSelStart NOTIFY SelectionChanged DESIGNABLE false)
    Q_PROPERTY(
        QString SelText READ SelText WRITE setSelText NOTIFY SelectionChanged DESIGNABLE false)
    Q_PROPERTY(qint32 WhatsThisHelpID READ WhatsThisHelpID WRITE setWhatsThisHelpID NOTIFY
                   WhatsThisHelpIDChanged)
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE setToolTipText NOTIFY ToolTipTextChanged)
    Q_PROPERTY(quintptr hWnd READ hWnd CONSTANT DESIGNABLE false)
    Q_PROPERTY(bool FontUnderline READ FontUnderline WRITE setFontUnderline NOTIFY FontChanged)
    Q_PROPERTY(bool FontStrikethru READ FontStrikethru WRITE setFontStrikethru NOTIFY FontChanged)
    Q_PROPERTY(bool FontItalic READ FontItalic WRITE setFontItalic NOTIFY FontChanged)
    Q_PROPERTY(bool FontBold READ FontBold WRITE setFontBold NOTIFY FontChanged)
    Q_PROPERTY(float FontSize READ FontSize WRITE setFontSize NOTIFY FontChanged)
    Q_PROPERTY(QString FontName READ FontName WRITE setFontName NOTIFY FontChanged)

public:
    // Creation: text1 holds "Text1", every own property is zero or empty, and the text is
    // validated once. Follow with InitProperties (a new control) or ReadProperties (a stored
    // one).
    explicit Quenta(QWidget* parent = nullptr);
    ~Quenta() override;

    // Container protocol.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Late binding by dispatch identifier (dispatch_table.h). Unknown identifiers give an
    // invalid value, false or nullopt; a method's result is invalid when it returns nothing.
    QVariant propertyById(qint32 id) const;
    bool setPropertyById(qint32 id, const QVariant& value);
    std::optional<QVariant> invokeById(qint32 id, const QVariantList& arguments = {});
    // The signal of an event identifier, to connect by identifier; invalid for events that
    // are never raised.
    static QMetaMethod eventById(qint32 id);

    QString Text() const;
    void setText(const QString& text); // validates before returning
    // The text followed by "E" and the exponent: "2.5E-3". Read it with the number-reading
    // rule to get the number in base units.
    QString Value() const;
    qint32 ValType() const { return rules_.valType; }
    void setValType(qint32 valType);
    double Max() const { return rules_.max; }
    void setMax(double max);
    double Min() const { return rules_.min; }
    void setMin(double min);
    bool MaxLimitEnabled() const { return rules_.maxLimitEnabled; }
    void setMaxLimitEnabled(bool enabled);
    bool MinLimitEnabled() const { return rules_.minLimitEnabled; }
    void setMinLimitEnabled(bool enabled);
    QString FormatString() const { return QString::fromStdString(rules_.formatString); }
    void setFormatString(const QString& picture);
    bool RoundToFormat() const { return roundToFormat_; } // kept and stored, nothing reads it
    void setRoundToFormat(bool round);
    qint32 Exponent() const { return rules_.exponent; }
    void setExponent(qint32 exponent); // validates, then notifies
    bool ExpLocked() const { return rules_.expLocked; }
    void setExpLocked(bool locked);
    bool AutoSelect() const { return autoSelect_; }
    void setAutoSelect(bool autoSelect);

    quint32 BackColor() const { return kept_.backColor; }
    void setBackColor(quint32 color);
    quint32 ForeColor() const { return kept_.foreColor; }
    void setForeColor(quint32 color);
    // Enabled and Font pass through to text1; their setters are named apart from QWidget's
    // setEnabled and setFont, which apply to the whole control.
    bool Enabled() const;
    void setTextBoxEnabled(bool enabled);
    QFont Font() const;
    void setTextBoxFont(const QFont& font);
    qint16 BorderStyle() const;
    void setBorderStyle(qint16 style);
    qint16 Alignment() const;
    void setAlignment(qint16 alignment);
    qint16 Appearance() const { return kept_.appearance; }
    void setAppearance(qint16 appearance);
    bool CausesValidation() const { return kept_.causesValidation; }
    void setCausesValidation(bool causes);
    // No data binding on Linux: DataFormat (a format description, empty for none) and
    // DataMember are kept and stored only.
    QString DataFormat() const { return kept_.dataFormat; }
    void setDataFormat(const QString& format);
    QString DataMember() const { return kept_.dataMember; }
    void setDataMember(const QString& member);
    bool HideSelection() const;
    // No DDE on Linux: the link properties are kept and stored only.
    QString LinkItem() const { return kept_.linkItem; }
    void setLinkItem(const QString& item);
    QString LinkTopic() const { return kept_.linkTopic; }
    void setLinkTopic(const QString& topic);
    qint16 LinkMode() const { return kept_.linkMode; }
    void setLinkMode(qint16 mode);
    qint16 LinkTimeout() const { return kept_.linkTimeout; }
    void setLinkTimeout(qint16 timeout);
    bool Locked() const;
    void setLocked(bool locked);
    qint32 MaxLength() const { return kept_.maxLength; } // 0: no limit
    void setMaxLength(qint32 length);
    qint16 MousePointer() const { return kept_.mousePointer; }
    void setMousePointer(qint16 pointer);
    bool MultiLine() const { return false; }
    qint16 OLEDragMode() const { return kept_.oleDragMode; } // 0 manual, 1 automatic
    void setOLEDragMode(qint16 mode);
    qint16 OLEDropMode() const { return kept_.oleDropMode; } // 0 none, 1 manual, 2 automatic
    void setOLEDropMode(qint16 mode);
    QString PasswordChar() const { return kept_.passwordChar; }
    void setPasswordChar(const QString& character);
    bool RightToLeft() const;
    void setRightToLeft(bool rightToLeft);
    qint16 ScrollBars() const { return 0; }
    qint32 SelLength() const;
    void setSelLength(qint32 length);
    qint32 SelStart() const;
    void setSelStart(qint32 start);
    QString SelText() const;
    void setSelText(const QString& text);
    qint32 WhatsThisHelpID() const { return kept_.whatsThisHelpID; }
    void setWhatsThisHelpID(qint32 id);
    QString ToolTipText() const;
    void setToolTipText(const QString& text);
    // An opaque handle naming text1. It is never a native window id: asking Qt for one would
    // turn text1 into a native window of its own.
    quintptr hWnd() const;
    bool FontUnderline() const;
    void setFontUnderline(bool underline);
    bool FontStrikethru() const;
    void setFontStrikethru(bool strikethru);
    bool FontItalic() const;
    void setFontItalic(bool italic);
    bool FontBold() const;
    void setFontBold(bool bold);
    float FontSize() const;
    void setFontSize(float points); // sizes of 0 or less are ignored
    QString FontName() const;
    void setFontName(const QString& name); // an empty name is ignored

    Q_INVOKABLE void Refresh();
    // Raises Validate for text1 when it holds the focus; false when a handler cancelled.
    Q_INVOKABLE bool ValidateControls();
    // Starts a drag from text1: OLEStartDrag, the drag itself, then OLECompleteDrag.
    Q_INVOKABLE void OLEDrag();
    // DDE does not exist on Linux: these do nothing, log that they did nothing and return
    // false.
    Q_INVOKABLE bool LinkSend();
    Q_INVOKABLE bool LinkRequest();
    Q_INVOKABLE bool LinkPoke();
    Q_INVOKABLE bool LinkExecute(const QString& Command);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A persisted property changed; `name` is exactly the property's name.
    void PropertyChanged(const QString& name);

    // The properties' change signals (their NOTIFY). A set raises its property's signal
    // whether or not the value changes, and so do InitProperties and ReadProperties, which
    // notify no container. Text's signal is Change; it and SelectionChanged are raised by text1
    // whenever the text or the selection really changes, by whatever means.
    void ValTypeChanged();
    void MaxChanged();
    void MinChanged();
    void MaxLimitEnabledChanged();
    void MinLimitEnabledChanged();
    void FormatStringChanged();
    void RoundToFormatChanged();
    void ExponentChanged();
    void ExpLockedChanged();
    void AutoSelectChanged();
    void ValueChanged(); // follows Change and ExponentChanged
    void BackColorChanged();
    void ForeColorChanged();
    void EnabledChanged();
    void BorderStyleChanged();
    void AlignmentChanged();
    void AppearanceChanged();
    void CausesValidationChanged();
    void DataFormatChanged();
    void DataMemberChanged();
    void LinkItemChanged();
    void LinkTopicChanged();
    void LinkModeChanged();
    void LinkTimeoutChanged();
    void LockedChanged();
    void MaxLengthChanged();
    void MousePointerChanged();
    void OLEDragModeChanged();
    void OLEDropModeChanged();
    void PasswordCharChanged();
    void RightToLeftChanged();
    void WhatsThisHelpIDChanged();
    void ToolTipTextChanged();
    void FontChanged();      // Font and each of its parts
    void SelectionChanged(); // SelStart, SelLength and SelText

    void Click();
    void DblClick();
    void KeyDown(qint16& KeyCode, qint16& Shift); // KeyCode set to 0 drops the key
    void KeyPress(qint16& KeyAscii);              // KeyAscii set to 0 drops the character
    void KeyUp(qint16& KeyCode, qint16& Shift);
    void MouseDown(qint16& Button, qint16& Shift, float& x, float& y);
    void MouseMove(qint16& Button, qint16& Shift, float& x, float& y);
    void MouseUp(qint16& Button, qint16& Shift, float& x, float& y);
    void Change(); // the text changed, by typing, by a setter or by the validation
    // text1 is about to lose the focus; Cancel set to true keeps it there and skips the
    // validation of the text.
    void Validate(bool& Cancel);
    void Resize(); // raised before text1 is fitted to the new size
    // AllowedEffects: 1 copy, 2 move; 0 or empty data cancels the drag.
    void OLEStartDrag(QMimeData& Data, qint32& AllowedEffects);
    // Never raised: Qt's drag data is complete before the drag starts, so a drop target
    // never asks for more.
    void OLESetData(QMimeData& Data, qint16& DataFormat);
    // Raised during a drag from text1 whenever the action the target would take changes;
    // DefaultCursors is informational, the platform draws the cursors.
    void OLEGiveFeedback(qint32& Effect, bool& DefaultCursors);
    // With OLEDropMode 1: State 0 enter, 1 leave (empty data), 2 over. Effect is what the
    // target accepts (0 refuses).
    // The dragged data belongs to the drag's source and is read-only here.
    void OLEDragOver(const QMimeData& Data, qint32& Effect, qint16& Button, qint16& Shift, float& x,
                     float& y, qint16& State);
    void OLEDragDrop(const QMimeData& Data, qint32& Effect, qint16& Button, qint16& Shift, float& x,
                     float& y);
    void OLECompleteDrag(qint32& Effect);
    // The events WriteProperties and ReadProperties of the event interface are never raised:
    // the container calls the methods of those names itself.

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // text1's properties that a QLineEdit does not hold itself.
    struct KeptProperties {
        quint32 backColor = SystemWindowBackground;
        quint32 foreColor = SystemWindowText;
        qint16 appearance = 1;
        bool causesValidation = true;
        QString dataFormat;
        QString dataMember;
        QString linkItem;
        QString linkTopic;
        qint16 linkMode = 0;
        qint16 linkTimeout = 50;
        qint32 maxLength = 0;
        qint16 mousePointer = 0;
        qint16 oleDragMode = 0;
        qint16 oleDropMode = 0;
        QString passwordChar;
        qint32 whatsThisHelpID = 0;
    };

    void notify(Property changed);
    void writeText(const QString& text);
    void validateText();
    void readOwn(const PropertyBag& bag);
    void restore(const PropertyRow& row, const PropertyBag& bag);
    PropertyValue entryValue(const PropertyRow& row) const;
    PropertyValue entryDefault(const PropertyRow& row) const;
    QVariant readEntry(const PropertyBag& bag, const PropertyRow& row) const;
    QFont ambientFont() const;
    void applyColor(int role, quint32 color);
    void changeFont(void (QFont::*change)(bool), bool on, Property changed);

    void focusGained(Qt::FocusReason reason);
    void focusLost(Qt::FocusReason reason);
    bool filterKeyPress(QKeyEvent* event);
    bool filterKeyRelease(QKeyEvent* event);
    bool filterInputMethod(QInputMethodEvent* event);
    bool filterMouse(QMouseEvent* event);
    void raiseMouse(void (Quenta::*event)(qint16&, qint16&, float&, float&), QMouseEvent* mouse,
                    Qt::MouseButtons buttons);
    bool replay(QEvent& replacement);
    bool filterAutomaticDrag(QMouseEvent* event);
    bool filterDrop(QEvent* event);
    void raiseDragOver(QDropEvent* event, qint16 state);
    void raiseDragDrop(QDropEvent* event);
    void startDrag(bool automatic);
    float twipsX(qreal pixels) const;
    float twipsY(qreal pixels) const;

    QLineEdit* text1_;
    ValueRules rules_;
    bool roundToFormat_ = false;
    bool autoSelect_ = false;
    QString storedValue_; // only persisted as "Value"
    KeptProperties kept_;
    bool restoring_ = false;        // InitProperties or ReadProperties is setting the properties
    bool focused_ = false;          // text1 has had a FocusIn not yet matched by a FocusOut
    bool restoringFocus_ = false;   // a cancelled Validate is taking the focus back
    bool replaying_ = false;        // a changed key event is on its way to text1
    bool afterDoubleClick_ = false; // the release that ends a double click is no Click
    std::optional<QPoint> dragFrom_;
};

} // namespace quenta
