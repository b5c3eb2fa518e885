#pragma once

#include "platform/Picture.h"
#include "platform/PlistValue.h"
#include "platform/StyledText.h"

#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

// Key-value names used by the document, the canvas and scripting.
inline const QString SKTGraphicBoundsKey = QStringLiteral("bounds");
inline const QString SKTGraphicIsDrawingFillKey = QStringLiteral("drawingFill");
inline const QString SKTGraphicFillColorKey = QStringLiteral("fillColor");
inline const QString SKTGraphicIsDrawingStrokeKey = QStringLiteral("drawingStroke");
inline const QString SKTGraphicStrokeColorKey = QStringLiteral("strokeColor");
inline const QString SKTGraphicStrokeWidthKey = QStringLiteral("strokeWidth");
inline const QString SKTGraphicXPositionKey = QStringLiteral("xPosition");
inline const QString SKTGraphicYPositionKey = QStringLiteral("yPosition");
inline const QString SKTGraphicWidthKey = QStringLiteral("width");
inline const QString SKTGraphicHeightKey = QStringLiteral("height");
inline const QString SKTGraphicDrawingBoundsKey = QStringLiteral("drawingBounds");
inline const QString SKTGraphicDrawingContentsKey = QStringLiteral("drawingContents");
inline const QString SKTGraphicCanSetDrawingFillKey = QStringLiteral("canSetDrawingFill");
inline const QString SKTGraphicCanSetDrawingStrokeKey = QStringLiteral("canSetDrawingStroke");
inline const QString SKTGraphicKeysForValuesToObserveForUndoKey = QStringLiteral("keysForValuesToObserveForUndo");
inline const QString SKTGraphicClassNameKey = QStringLiteral("className");

class ArchiveWriter;
class ArchiveObject;
class QPainter;
class SKTDocument;
class SKTGraphic;

// Told of every change of a value that undo may observe (bounds, fill, outline, and each
// kind's own keys), with the value before the change.
class SKTGraphicObserver
{
public:
    virtual ~SKTGraphicObserver() = default;
    virtual void graphicValueChanged(SKTGraphic& graphic, const QString& key, const QVariant& oldValue) = 0;
};

// One card object: a flat record of every setting of every kind (text, shape, line, image,
// signature, barcode). Other parts of the program read and write the fields directly.
//
// Objects live in std::shared_ptr. Make them with create<Kind>(), which constructs and then
// runs the virtual init() so that a kind's own defaults apply. A bare object (all zero, NO,
// empty, none) is what reading an archive starts from: createBare<Kind>().
class SKTGraphic : public std::enable_shared_from_this<SKTGraphic>
{
public:
    template <class Kind = SKTGraphic>
    static std::shared_ptr<Kind> create()
    {
        std::shared_ptr<Kind> graphic(new Kind);
        graphic->init();
        return graphic;
    }
    template <class Kind = SKTGraphic>
    static std::shared_ptr<Kind> createBare()
    {
        return std::shared_ptr<Kind>(new Kind);
    }

    virtual ~SKTGraphic();

    // Sets every field to its default. Reads All_Text_font_Default, All_Text_clr_Default
    // and Resource_Path.
    virtual void init();

    // A new object of the same kind with init() defaults, taking only bounds, fill and
    // stroke settings from this one. Kinds extend it through copyKindFieldsTo().
    std::shared_ptr<SKTGraphic> copy() const;
    // An object of the same kind with every field of this one, for work on another thread:
    // the text storage is copied, pictures are shared (they never change once made), and
    // it belongs to no document and tells no observer. Call it on the thread that edits
    // this object.
    virtual std::shared_ptr<SKTGraphic> clone() const;
    // Takes every value of a clone of this object made earlier, pictures included, so that
    // undo puts the object back as it was. It stays in its document with its observer, which
    // is not told: the caller registers the step.
    virtual void takeValuesOf(const SKTGraphic& saved);

    // ---- Archive ----------------------------------------------------------------------
    // The class names the archive records, most derived first ("SKTText", "SKTGraphic",
    // "NSObject").
    virtual QStringList archiveClassChain() const;
    // Writes the 93 keys in their fixed order (kinds may append their own after them).
    virtual void encodeWithCoder(ArchiveWriter& archive) const;
    // Sets every field from its key; a missing or mistyped key gives 0, NO or none.
    virtual void initWithCoder(const ArchiveObject& archive);
    // The keyed archive of this object as a binary property list.
    QByteArray archivedData() const;
    // Reads an object back as the kind its archive names; null with a reason on failure.
    static std::shared_ptr<SKTGraphic> unarchive(const QByteArray& data, QString* error = nullptr);
    // A bare object of the kind that an archive's class name stands for; null if unknown.
    static std::shared_ptr<SKTGraphic> createBareOfClass(const QString& className);

    // ---- Property dictionary (a small form that no stored file uses) -------------------
    // "bounds" (brace string), "drawingFill", "fillColor" (colour archive, only when there
    // is a colour), "drawingStroke", "strokeColor" (likewise), "strokeWidth".
    virtual PlistDict properties() const;
    // Takes each entry that has the expected type; others leave the init() value.
    virtual void initWithProperties(const PlistDict& properties);
    template <class Kind = SKTGraphic>
    static std::shared_ptr<Kind> createWithProperties(const PlistDict& properties)
    {
        std::shared_ptr<Kind> graphic = create<Kind>();
        graphic->initWithProperties(properties);
        return graphic;
    }
    // The property dictionary as text.
    QString description() const;

    // ---- Accessors (plain reads and writes of one field unless said otherwise) --------
    void Set_Ctrl_Is_Visible(bool visible) { ctrl_is_visible = visible; }
    bool Is_Control_Locked() const { return ctrl_is_locked; }
    void Set_Barcode_image(const Picture& image) { _barcode_image = image; }
    QString Get_shape_type() const { return _shape_type; }
    void Set_Shape_Type(const QString& shapeType) { _shape_type = shapeType; }
    // Creates the text storage from Text_Value (black, Text_Ctrl_Font 14 pt) on first use.
    std::shared_ptr<StyledText> Text_contents();
    void Set_Excel_binding(bool binding) { excel_binding = binding; }
    void Set_Excel_binding_Index(qint32 column) { excel_col_indx = column; }
    // Binds to a spreadsheet column by its place and its title: rows from another sheet or
    // workbook, with the columns in another order, are then taken from the column of the title.
    void Set_Excel_binding_Column(qint32 column, const QString& title)
    {
        excel_col_indx = column;
        excel_col_title = title;
    }
    // The place of the bound column in a table with these titles (the row-number column's
    // first): the column of its title, the one it was bound at first where the title is met
    // twice; -1 when no column has it. An object bound before titles were kept, or a table
    // whose titles are unknown, keeps its place.
    int excelColumnIn(const QStringList& titles) const
    {
        return excelColumnOf(excel_col_title, excel_col_indx, titles);
    }
    static int excelColumnOf(const QString& title, int place, const QStringList& titles);
    // The column a spreadsheet source starts at when it is chosen: the one bound before, by its
    // title (-1 when the table lacks it); else the first whose first row holds a value the
    // object can show, never the row numbers (column 0) unasked.
    static int excelColumnToStartAt(
        const QString& title, int place, const QStringList& titles, const std::function<bool(int column)>& holdsValue);
    std::optional<QFont> Text_Font_value() const { return text_ctrl_font; }
    QColor Text_Color_Value() const { return txt_clr; }
    qint32 Get_Line_Ori() const { return _line_ori; }
    qint32 Get_Line_Cap_Style() const { return _line_cap_style; }
    void Set_Batch_List_Name(const QString& name) { batch_list_name = name; }
    QString batch_list_name_val() const { return batch_list_name; }
    void Set_Batch_List_Index(qint32 index) { batch_list_index = index; }
    qint32 batch_list_index_val() const { return batch_list_index; }
    void Set_Data_source_type(qint32 type) { data_source_type = type; }
    qint32 data_source_type_val() const { return data_source_type; }
    virtual void setFlippedHorizontally(bool flipped) { _isFlippedHorizontally = flipped; }
    virtual void setFlippedVertically(bool flipped) { _isFlippedVertically = flipped; }
    QString Sign_Or_FP_Val() const { return sign_or_fingureprint; }
    void Set_Sign_Or_FP(const QString& code) { sign_or_fingureprint = code; }
    void Set_Control_File_path(const QString& path) { _file_path = path; }
    QString FilePath() const { return _file_path; }
    QRectF bounds() const { return _bounds; }
    double strokeWidth() const { return _strokeWidth; }
    QString strokeBorderType() const { return _stroke_border_type; }
    QString fill_type() const { return _fill_type; }
    QString fill_hatch_type() const { return _fill_hatch_type; }
    double fill_grad_angle() const { return _fill_grad_angle; }
    double Get_Image_Trnsp_val() const { return img_trnsp_val; }
    double Get_Hue_val() const { return hue_val; }
    // The colour getters first give the stored colour the object's opacity (alpha_val, or
    // alpha_val_stroke for the outline; above 1 counts as 1) and return it. An empty
    // colour stays empty.
    QColor fillColor();
    QColor strokeColor();
    QColor fill_hatch_bk_clr();
    QColor fill_Grad_clr1();
    QColor fill_Grad_clr2();

    // ---- Behaviour that the kinds override ---------------------------------------------
    virtual bool isDrawingFill() const { return _isDrawingFill; }
    virtual bool isDrawingStroke() const { return _isDrawingStroke; }
    virtual bool canSetDrawingFill() const { return true; }
    virtual bool canSetDrawingStroke() const { return true; }
    virtual bool canMakeNaturalSize() const;
    // Kinds that adjust the bounds override this and end by calling the base, which stores
    // them and tells the observer.
    virtual void setBounds(const QRectF& bounds);
    virtual QRectF drawingBounds() const;
    // Where drawing the object can leave ink, without the room that drawingBounds() keeps
    // for the handles: what the card's edge is judged against. The base: the bounds with the
    // outer half of their border, which text, pictures and signatures draw.
    virtual QRectF paintedBounds() const;
    // Draws the object on a painter in card points. The base draws nothing.
    virtual void drawContentsInView(QPainter& painter, bool isBeingCreateOrEdited);
    // Whether drawing the object leaves no mark (an empty text, a shape without fill or
    // border): the canvas then outlines it, so that it can still be found.
    virtual bool drawsNothing() const { return false; }
    // The outline that shapes and lines draw; the base has none (empty path).
    virtual QPainterPath bezierPathForDrawing() const;
    virtual void drawHandlesInView(QPainter& painter, bool lock_hai);
    // One handle: a 6-point square centred on the point, red when the object is locked.
    void drawHandleInView(QPainter& painter, const QPointF& point, bool lock_hai) const;
    // Whether the point lies on the handle at handlePoint.
    bool isHandleAtPoint(const QPointF& handlePoint, const QPointF& point) const;
    virtual bool isContentsUnderPoint(const QPointF& point) const;
    virtual qint64 handleUnderPoint(const QPointF& point) const;
    virtual qint64 resizeByMovingHandle(qint64 handle, const QPointF& point);
    virtual void flipHorizontally() {}
    virtual void flipVertically() {}
    virtual void makeNaturalSize();
    virtual void setColor(const QColor& color);
    virtual QSet<QString> keysForValuesToObserveForUndo() const;
    // The name of an undoable key as undo would show it; none for a key the kind does not
    // know. The base answers "" for every key.
    virtual std::optional<QString> presentablePropertyNameForKey(const QString& key) const;
    // Shows a picture file; the image kinds load it.
    virtual void setFilePath(const QString& path) { _file_path = path; }

    // ---- Key-value access (the keys of undo, scripting and the property panel) ---------
    // The stored value of a key (colours without the opacity applied); invalid if unknown.
    virtual QVariant valueForKey(const QString& key) const;
    // Sets a key's value and tells the observer; false for an unknown key or wrong type.
    virtual bool setValueForKey(const QString& key, const QVariant& value);
    void setValuesForKeysWithDictionary(const QVariantMap& values);
    void setDrawingFill(bool drawing) { setValueForKey(SKTGraphicIsDrawingFillKey, drawing); }
    void setFillColor(const QColor& color) { setValueForKey(SKTGraphicFillColorKey, color); }
    void setDrawingStroke(bool drawing) { setValueForKey(SKTGraphicIsDrawingStrokeKey, drawing); }
    void setStrokeColor(const QColor& color) { setValueForKey(SKTGraphicStrokeColorKey, color); }
    void setStrokeWidth(double width) { setValueForKey(SKTGraphicStrokeWidthKey, width); }
    double xPosition() const { return _bounds.x(); }
    double yPosition() const { return _bounds.y(); }
    double width() const { return _bounds.width(); }
    double height() const { return _bounds.height(); }
    void setXPosition(double x);
    void setYPosition(double y);
    void setWidth(double width);
    void setHeight(double height);

    // One observer at a time (the document, for front-side objects).
    void setObserver(SKTGraphicObserver* observer) { observer_ = observer; }
    SKTGraphicObserver* observer() const { return observer_; }

    // ---- Operations on several objects --------------------------------------------------
    static QRectF boundsOfGraphics(const QList<std::shared_ptr<SKTGraphic>>& graphics);
    // The union of the drawing bounds; whenEmpty (the front canvas) for no objects.
    static QRectF drawingBoundsOfGraphics(const QList<std::shared_ptr<SKTGraphic>>& graphics,
                                          const QRectF& whenEmpty);
    // Moves every unlocked object; locked ones stay.
    static void translateGraphics(const QList<std::shared_ptr<SKTGraphic>>& graphics, double dx, double dy);
    // The handle that sizes a new object while it is drawn.
    virtual qint64 creationSizingHandle() const { return 8; }

    // ---- Fields -----------------------------------------------------------------------
    QRectF _bounds;
    bool _isDrawingFill = false;
    QColor _fillColor;
    bool _isDrawingStroke = false;
    QColor _strokeColor;
    double _strokeWidth = 0.0;
    QString _stroke_border_type;
    QString _fill_type;
    QColor _fill_Grad_clr1;
    QColor _fill_Grad_clr2;
    double _fill_grad_angle = 0.0;
    QColor _fill_htch_clr;
    QString _fill_hatch_type;
    bool _isFlippedHorizontally = false;
    bool _isFlippedVertically = false;
    bool invert_clr = false;
    bool gray_Scale = false;
    bool Sepia = false;
    float img_trnsp_val = 0.0f;
    float hue_val = 0.0f;
    float sat_val = 0.0f;
    float brt_val = 0.0f;
    float con_val = 0.0f;
    float srp_val = 0.0f;
    float ev_val = 0.0f;
    float blr_val = 0.0f;
    qint32 data_source_type = 0;
    float rotate_image = 0.0f;
    QString _file_path;
    SKTDocument* _scriptingContainer = nullptr; // the holding document; not owned, not archived
    QString sign_or_fingureprint;
    QString batch_list_name;
    qint32 batch_list_index = 0;
    // What a text showed when it was bound to a series or a column, for Manual to give back.
    std::optional<QString> text_before_binding;
    qint32 _line_ori = 0;
    qint32 _line_cap_style = 0;
    float cor_rad_val_val = 0.0f;
    float alpha_val = 0.0f;
    float alpha_val_stroke = 0.0f;
    std::optional<QFont> text_ctrl_font;
    QColor txt_clr;
    std::shared_ptr<StyledText> _Text_contents;
    QString _shape_type;
    Picture _barcode_image;
    qint32 linear_or_2d = 0;
    qint32 barcode_font_index = 0;
    QString linear_font_val;
    QString two_d_font_val;
    QString header_val;
    QString footer_val;
    qint32 show_hide_hdr = 0;
    qint32 show_hide_ftr = 0;
    qint32 show_hide_val = 0;
    qint32 show_val_on_top = 0;
    qint32 align_hdr_index = 0;
    qint32 align_ftr_index = 0;
    float linear_height_val = 0.0f;
    float linear_width_val = 0.0f;
    qint32 qr_size_val = 0;
    qint32 qr_version_index = 0;
    qint32 qr_ec_index = 0;
    qint32 pdf_hgt_val = 0;
    qint32 pdf_wdt_val = 0;
    qint32 pdf_ec_val = 0;
    qint32 dm_module_val = 0;
    qint32 dm_format_index = 0;
    qint32 dm_encoding_index = 0;
    float hdr_margin_val = 0.0f;
    float ftr_margin_val = 0.0f;
    float val_margin_val = 0.0f;
    float TB_marging_val = 0.0f;
    float LR_margin_val = 0.0f;
    std::optional<QFont> value_font_val;
    std::optional<QFont> header_font_val;
    std::optional<QFont> footer_font_val;
    QColor barcode_hdr_clr_val;
    QColor barcode_ftr_clr_val;
    QColor barcode_val_clr_val;
    QColor barcode_back_clr_val;
    QColor barcode_clr_val;
    qint32 dpi_val_index = 0;
    QString dpi_custom_val;
    // 1: a single caption is spread over the bars' width. Kept with the object, so that every
    // batch card is drawn as the barcode window showed it.
    qint32 kerning_value_state = 0;
    qint32 barcode_unit_val = 0;
    bool ctrl_is_locked = false;
    qint32 text_alignmnet = 0;
    qint32 text_transfrom_case = 0;
    float text_kerning = 0.0f;
    qint32 print_object = 0;
    QString control_ID;
    bool excel_binding = false;
    qint32 excel_col_indx = 0;
    // The title of the bound spreadsheet column when it was bound; "" for a design from before
    // titles were kept, whose objects keep the column's place.
    QString excel_col_title;
    QString Text_Value;
    bool ctrl_is_visible = false;
    qint32 double_star_type = 0;
    qint32 polygon_type = 0;

protected:
    SKTGraphic() = default;
    // Copies every field as it stands; only clone() uses it, through cloneOf().
    SKTGraphic(const SKTGraphic& other) = default;
    // Copies every field as it stands; only takeValuesOf() uses it.
    SKTGraphic& operator=(const SKTGraphic& other) = default;
    template <class Kind>
    static std::shared_ptr<SKTGraphic> cloneOf(const Kind& original)
    {
        std::shared_ptr<Kind> clone(new Kind(original));
        static_cast<SKTGraphic&>(*clone).detachClone();
        return clone;
    }
    // Tells the observer that key changed from oldValue (when it really changed).
    void didChangeValueForKey(const QString& key, const QVariant& oldValue);
    // A kind's part of copying: fields beyond the base ones that its copies keep.
    virtual void copyKindFieldsTo(SKTGraphic& copy) const;

private:
    // What a field copy must not share with its original.
    void detachClone();

    SKTGraphicObserver* observer_ = nullptr;
};

using SKTGraphicPtr = std::shared_ptr<SKTGraphic>;
