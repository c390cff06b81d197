#include "widgets/GridCellDelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <utility>

#include "platform/Errors.h"
#include "qtplatform/AnsiText.h"
#include "qtplatform/UserDialogs.h"

namespace sorabel {
namespace {

bool isNavigationKey(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return true;
    default: return false;
  }
}

}  // namespace

GridCellDelegate::GridCellDelegate(ColumnAlign align, QObject* parent)
    : QStyledItemDelegate(parent), align_(std::move(align)) {}

const QString& GridCellDelegate::invalidInputMessage() {
  static const QString message = QStringLiteral("入力値が不正です。ｴｽｹｰﾌﾟｷｰで変更を取り消せます");
  return message;
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  const QPalette::ColorGroup group = option.state.testFlag(QStyle::State_Active) ? QPalette::Active : QPalette::Inactive;
  painter->fillRect(option.rect, option.palette.brush(group, selected ? QPalette::Highlight : QPalette::Base));

  const QString text = index.data(Qt::DisplayRole).toString();
  if (text.isEmpty()) return;
  const QFontMetrics metrics(option.font);
  const QRect r = option.rect;
  const QPoint origin = cellTextOrigin(r, align_(index.column()), metrics.horizontalAdvance(text), metrics.height());
  painter->save();
  painter->setFont(option.font);
  painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  painter->setClipRect(r);
  painter->drawText(origin.x(), origin.y() + metrics.ascent(), text);
  painter->restore();
}

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
  auto* editor = new QLineEdit(parent);
  editor->setFrame(false);
  if (mask_) editor->setInputMask(mask_(index.column()));
  filterTypedText(editor, text_ ? text_(index.column()) : FieldText::Words);
  const bool ime = usesIme_ && usesIme_(index.column());
  editor->setAttribute(Qt::WA_InputMethodEnabled, ime);
  editor->setInputMethodHints(ime ? Qt::ImhNone : Qt::ImhLatinOnly);
  openEditor_ = editor;
  return editor;
}

void GridCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* line = static_cast<QLineEdit*>(editor);
  line->setText(index.data(Qt::EditRole).toString());
  line->selectAll();
  openedText_ = line->text();
}

void GridCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  auto* line = static_cast<QLineEdit*>(editor);
  if (!refusal(line).isEmpty()) return;  // views refuse to leave such an edit first
  if (line->text() == openedText_) return;
  model->setData(index, line->text(), Qt::EditRole);
}

void GridCellDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const {
  editor->setGeometry(option.rect);
}

bool GridCellDelegate::incomplete(const QLineEdit* editor) const {
  return editor != nullptr && !editor->inputMask().isEmpty() && !editor->hasAcceptableInput();
}

QString GridCellDelegate::refusal(const QLineEdit* editor) const {
  if (editor == nullptr) return {};
  if (incomplete(editor)) return invalidInputMessage();
  try {
    toAnsi(editor->text());
  } catch (const Error& error) {
    return QString::fromUtf8(error.what());
  }
  return {};
}

QWidget* GridCellDelegate::openEditor() const { return openEditor_; }

bool GridCellDelegate::refuseUnacceptableEdit() const {
  const QString reason = refusal(openEditor_);
  if (reason.isEmpty()) return false;
  UserDialogs::current().tell(openEditor_->window(), reason, MessageKind::Error);
  if (openEditor_) openEditor_->setFocus();
  return true;
}

bool GridCellDelegate::eventFilter(QObject* object, QEvent* event) {
  auto* editor = qobject_cast<QLineEdit*>(object);
  if (editor == nullptr) return QStyledItemDelegate::eventFilter(object, event);
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (isNavigationKey(key) && refuseUnacceptableEdit()) return true;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // The base class commits and closes the editor through a queued call;
      // the Enter handling of the grid must come after it.
      bool handled = QStyledItemDelegate::eventFilter(object, event);
      QMetaObject::invokeMethod(this, &GridCellDelegate::enterCommitted, Qt::QueuedConnection);
      return handled;
    }
  }
  // Leaving an incomplete date or a text Shift-JIS cannot hold for another
  // window keeps the edit open.
  if (event->type() == QEvent::FocusOut && !refusal(editor).isEmpty()) return true;
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace sorabel
