#include "platform/TreeView.h"

#include "platform/ControlsImpl.h"
#include "platform/EventGuard.h"
#include "platform/SysUtils.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyledItemDelegate>
#include <QTreeView>

#include <map>

namespace {

// Every item below node (node itself not counted).
int Descendants(const TTreeNode* node)
{
    int n = 0;
    for (int i = 0; i < node->Count(); ++i) n += 1 + Descendants(node->Item(i));
    return n;
}

bool Inside(const TTreeNode* node, const TTreeNode* top)
{
    for (const TTreeNode* n = node; n; n = n->Parent())
        if (n == top) return true;
    return false;
}

// Exposes the delegate's option set-up, so that the check box is looked for
// where the delegate draws it and takes its clicks.
struct Delegate : QStyledItemDelegate {
    using QStyledItemDelegate::QStyledItemDelegate;
    using QStyledItemDelegate::initStyleOption;
};

} // namespace

// --- the model --------------------------------------------------------------------------------

struct TTreeView::Model : QAbstractItemModel {
    explicit Model(TTreeView* v) : view(v) {}
    TTreeView* view;
    std::map<int, QIcon> icons;

    TTreeNode* Root() const { return view->items_->root_.get(); }
    TTreeNode* NodeOf(const QModelIndex& i) const
    {
        return i.isValid() ? static_cast<TTreeNode*>(i.internalPointer()) : Root();
    }
    QModelIndex IndexOf(TTreeNode* n) const
    {
        if (!n || n == Root()) return {};
        return createIndex(n->index_, 0, n);
    }

    QModelIndex index(int row, int column, const QModelIndex& parent) const override
    {
        const TTreeNode* p = NodeOf(parent);
        if (column != 0 || row < 0 || row >= p->Count()) return {};
        return createIndex(row, 0, p->children_[static_cast<size_t>(row)].get());
    }
    QModelIndex parent(const QModelIndex& child) const override
    {
        if (!child.isValid()) return {};
        return IndexOf(NodeOf(child)->parent_);
    }
    int rowCount(const QModelIndex& parent) const override
    {
        if (parent.column() > 0) return 0;
        return NodeOf(parent)->Count();
    }
    int columnCount(const QModelIndex&) const override { return 1; }
    bool hasChildren(const QModelIndex& parent) const override { return NodeOf(parent)->HasChildren(); }

    QVariant data(const QModelIndex& i, int role) const override
    {
        if (!i.isValid()) return {};
        const TTreeNode* n = NodeOf(i);
        QVariant result;
        FromQt([&] {
            switch (role) {
            case Qt::DisplayRole:
                result = QString::fromStdString(n->Text());
                break;
            case Qt::CheckStateRole:
                if (view->checkBoxes_)
                    result = n->CheckState() == TTreeCheckState::Checked  ? Qt::Checked
                             : n->CheckState() == TTreeCheckState::Mixed ? Qt::PartiallyChecked
                                                                          : Qt::Unchecked;
                break;
            case Qt::DecorationRole: {
                const QIcon icon = Icon(n);
                if (!icon.isNull()) result = icon;
                break;
            }
            default:
                break;
            }
        });
        return result;
    }
    Qt::ItemFlags flags(const QModelIndex& i) const override
    {
        if (!i.isValid()) return Qt::NoItemFlags;
        Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (view->checkBoxes_) f |= Qt::ItemIsUserCheckable;
        return f;
    }
    bool setData(const QModelIndex& i, const QVariant& value, int role) override
    {
        if (!i.isValid() || role != Qt::CheckStateRole || !view->checkBoxes_) return false;
        TTreeNode* n = NodeOf(i);
        const auto s = static_cast<Qt::CheckState>(value.toInt());
        FromQt([&] { view->UserChecked(n, s == Qt::Checked ? TTreeCheckState::Checked : TTreeCheckState::Unchecked); });
        return true;
    }

    QIcon Icon(const TTreeNode* n) const
    {
        const TCustomImageList* images = view->images_;
        if (!images) return {};
        int index = n->ImageIndex();
        if (index < 0) {
            const int level = n->Level();
            if (level < static_cast<int>(view->levelImages_.size()))
                index = view->levelImages_[static_cast<size_t>(level)];
        }
        if (index < 0 || index >= images->Count()) return {};
        auto it = const_cast<Model*>(this)->icons.find(index);
        if (it != icons.end()) return it->second;
        // The list's picture with its transparent colour left out.
        QImage image(images->Width(), images->Height(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        {
            TCanvas canvas(&image);
            images->Draw(canvas, 0, 0, index);
        }
        const QIcon icon(QPixmap::fromImage(image));
        const_cast<Model*>(this)->icons[index] = icon;
        return icon;
    }

    // What the nodes need of the protected notifications.
    void BeginInsert(TTreeNode* parent, int row) { beginInsertRows(IndexOf(parent), row, row); }
    void EndInsert() { endInsertRows(); }
    void BeginRemove(TTreeNode* parent, int row) { beginRemoveRows(IndexOf(parent), row, row); }
    void EndRemove() { endRemoveRows(); }
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }
    void Changed(TTreeNode* n)
    {
        const QModelIndex i = IndexOf(n);
        emit dataChanged(i, i);
    }
};

// --- the view -------------------------------------------------------------------------------------

struct TTreeView::QtTree : QTreeView {
    explicit QtTree(TTreeView* c) : control(c) {}
    TTreeView* control;

    using QTreeView::initViewItemOption;

protected:
    // The selected item is the one Qt selects (its current item alone, set
    // for example when the tree takes the focus, selects nothing).
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override
    {
        QTreeView::selectionChanged(selected, deselected);
        const QModelIndexList rows = selectionModel()->selectedIndexes();
        TTreeNode* n = rows.isEmpty() ? nullptr : static_cast<TTreeNode*>(rows.front().internalPointer());
        FromQt([&] { control->SelectionMoved(n); });
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::RightButton) {
            const QModelIndex i = indexAt(e->position().toPoint());
            if (control->rightClickSelect_ && i.isValid())
                selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
            e->accept();
            return;
        }
        QTreeView::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        const QPoint p = e->position().toPoint();
        if (e->button() == Qt::RightButton) {
            e->accept();
            FromQt([&] {
                bool handled = false;
                if (control->OnContextPopup) control->OnContextPopup(control, TPoint{p.x(), p.y()}, handled);
            });
            return;
        }
        QTreeView::mouseReleaseEvent(e);
        if (e->button() == Qt::LeftButton && viewport()->rect().contains(p))
            FromQt([&] {
                if (control->OnClick) control->OnClick(control);
            });
    }
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        QTreeView::mouseDoubleClickEvent(e);
        if (e->button() == Qt::LeftButton)
            FromQt([&] {
                if (control->OnDblClick) control->OnDblClick(control);
            });
    }
    // The menu comes from OnContextPopup on the button's release.
    void contextMenuEvent(QContextMenuEvent* e) override { e->accept(); }
};

namespace {
TTreeView::QtTree* Tree(QWidget* w) { return static_cast<TTreeView::QtTree*>(w); }
} // namespace

// --- TTreeNode ------------------------------------------------------------------------------------

TTreeNode* TTreeNode::Parent() const { return parent_ && parent_->parent_ ? parent_ : nullptr; }

int TTreeNode::Level() const
{
    int level = -1;
    for (const TTreeNode* n = parent_; n; n = n->parent_) ++level;
    return level;
}

TTreeNode* TTreeNode::Item(int i) const
{
    if (i < 0 || i >= Count()) RaiseListIndexError(i);
    return children_[static_cast<size_t>(i)].get();
}

TTreeNode* TTreeNode::GetFirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
TTreeNode* TTreeNode::GetLastChild() const { return children_.empty() ? nullptr : children_.back().get(); }

TTreeNode* TTreeNode::GetNextSibling() const
{
    if (!parent_ || index_ + 1 >= parent_->Count()) return nullptr;
    return parent_->children_[static_cast<size_t>(index_ + 1)].get();
}

TTreeNode* TTreeNode::GetPrevSibling() const
{
    if (!parent_ || index_ == 0) return nullptr;
    return parent_->children_[static_cast<size_t>(index_ - 1)].get();
}

const std::string& TTreeNode::Text() const
{
    if (!textKnown_ && view_->OnGetText) {
        std::string s;
        view_->OnGetText(view_, const_cast<TTreeNode*>(this), s);
        text_ = std::move(s);
        textKnown_ = true;
    }
    return text_;
}

void TTreeNode::SetText(const std::string& s)
{
    text_ = s;
    textKnown_ = true;
    view_->NodeChanged(this);
}

void TTreeNode::SetImageIndex(int i)
{
    imageIndex_ = i;
    view_->NodeChanged(this);
}

void TTreeNode::SetExpanded(bool v) { view_->ApplyExpanded(this, v); }

void TTreeNode::Expand(bool recurse)
{
    SetExpanded(true);
    if (recurse)
        for (auto& c : children_) c->Expand(true);
}

void TTreeNode::Collapse(bool recurse)
{
    SetExpanded(false);
    if (recurse)
        for (auto& c : children_) c->Collapse(true);
}

struct TTreeNode::Access {
    // The state of n worked out from its children.
    static void Recompute(TTreeNode* n)
    {
        if (n->children_.empty()) return;
        bool all = true, none = true;
        for (const auto& c : n->children_) {
            if (c->state_ != TTreeCheckState::Checked) all = false;
            if (c->state_ != TTreeCheckState::Unchecked) none = false;
        }
        n->state_ = all ? TTreeCheckState::Checked : none ? TTreeCheckState::Unchecked : TTreeCheckState::Mixed;
    }
    static void RecomputeAbove(TTreeNode* n)
    {
        for (TTreeNode* p = n->parent_; p && p->parent_; p = p->parent_) Recompute(p);
    }
    static void RecomputeFrom(TTreeNode* n)
    {
        Recompute(n);
        RecomputeAbove(n);
    }
    static void SetBelow(TTreeNode* n, TTreeCheckState s)
    {
        std::vector<TTreeNode*> stack{n};
        while (!stack.empty()) {
            TTreeNode* x = stack.back();
            stack.pop_back();
            x->state_ = s;
            for (auto& c : x->children_) stack.push_back(c.get());
        }
    }
};

void TTreeNode::SetCheckState(TTreeCheckState s)
{
    if (s == TTreeCheckState::Mixed)
        state_ = s;
    else
        Access::SetBelow(this, s);
    Access::RecomputeAbove(this);
    view_->StatesChanged();
}

bool TTreeNode::Selected() const { return view_->selected_ == this; }

void TTreeNode::MakeVisible()
{
    for (TTreeNode* p = Parent(); p; p = p->Parent()) p->SetExpanded(true);
    if (!view_->items_->updating_) Tree(view_->Widget())->scrollTo(view_->model_->IndexOf(this));
}

void TTreeNode::Delete() { view_->items_->Delete(this); }

void TTreeNode::DeleteChildren()
{
    while (!children_.empty()) children_.back()->Delete();
}

// --- TTreeNodes -----------------------------------------------------------------------------------

TTreeNodes::TTreeNodes(TTreeView* view) : view_(view), root_(new TTreeNode(view, nullptr)) {}

int TTreeNodes::TopCount() const { return root_->Count(); }
TTreeNode* TTreeNodes::TopItem(int i) const { return root_->Item(i); }
TTreeNode* TTreeNodes::GetFirstNode() const { return root_->GetFirstChild(); }

TTreeNode* TTreeNodes::Insert(TTreeNode* parent, const std::string* text)
{
    if (!parent) parent = root_.get();
    if (parent->view_ != view_) throw EListError("The item belongs to another tree");
    const int row = parent->Count();
    ++view_->quiet_;
    if (!updating_) view_->model_->BeginInsert(parent, row);
    auto* node = new TTreeNode(view_, parent);
    node->index_ = row;
    if (text) {
        node->text_ = *text;
        node->textKnown_ = true;
    }
    parent->children_.emplace_back(node);
    ++count_;
    if (view_->checkBoxes_ && parent != root_.get()) TTreeNode::Access::RecomputeFrom(parent);
    if (!updating_) view_->model_->EndInsert();
    --view_->quiet_;
    view_->NotifySelection();
    return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& s)
{
    return Insert(sibling ? sibling->parent_ : nullptr, &s);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& s) { return Insert(parent, &s); }
TTreeNode* TTreeNodes::AddChildDeferred(TTreeNode* parent) { return Insert(parent, nullptr); }

void TTreeNodes::Delete(TTreeNode* node)
{
    if (!node || node == root_.get() || node->view_ != view_) return;
    TTreeNode* parent = node->parent_;
    const int row = node->index_;
    ++view_->quiet_;
    if (Inside(view_->reported_, node)) view_->reportGone_ = true;
    if (!updating_) view_->model_->BeginRemove(parent, row);
    // A removed selection leaves nothing selected.
    const bool selectionGoes = Inside(view_->selected_, node);
    if (selectionGoes) view_->selected_ = nullptr;
    count_ -= 1 + Descendants(node);
    parent->children_.erase(parent->children_.begin() + row);
    for (int i = row; i < parent->Count(); ++i) parent->children_[static_cast<size_t>(i)]->index_ = i;
    if (view_->checkBoxes_ && parent != root_.get()) TTreeNode::Access::RecomputeFrom(parent);
    if (!updating_) view_->model_->EndRemove();
    if (selectionGoes) view_->selected_ = nullptr;
    --view_->quiet_;
    view_->NotifySelection();
}

void TTreeNodes::Clear()
{
    ++view_->quiet_;
    if (!updating_) view_->model_->BeginReset();
    root_->children_.clear();
    count_ = 0;
    view_->selected_ = nullptr;
    if (view_->reported_) view_->reportGone_ = true;
    if (!updating_) view_->model_->EndReset();
    --view_->quiet_;
    view_->NotifySelection();
}

void TTreeNodes::BeginUpdate()
{
    if (updating_++ == 0) {
        ++view_->quiet_;
        view_->model_->BeginReset();
    }
}

void TTreeNodes::EndUpdate()
{
    if (updating_ == 0) return;
    if (--updating_ == 0) {
        view_->model_->EndReset();
        view_->RestoreView();
        --view_->quiet_;
        view_->NotifySelection();
    }
}

// --- TTreeView ------------------------------------------------------------------------------------

TTreeView::TTreeView(TWinControl* parent) : TControl(parent, nullptr)
{
    items_.reset(new TTreeNodes(this));
    model_ = std::make_unique<Model>(this);
    auto* w = new QtTree(this);
    w->setModel(model_.get());
    w->setItemDelegate(new Delegate(w));
    w->setHeaderHidden(true);
    w->setUniformRowHeights(true);
    w->setSelectionMode(QAbstractItemView::SingleSelection);
    w->setEditTriggers(QAbstractItemView::NoEditTriggers);
    w->setFocusPolicy(Qt::StrongFocus);
    w->setContextMenuPolicy(Qt::DefaultContextMenu);
    AttachWidget(w);
    tabStop_ = true;
    w->resize(121, 97);
    QObject::connect(w, &QTreeView::expanded, w, [this](const QModelIndex& i) {
        if (i.isValid()) static_cast<TTreeNode*>(i.internalPointer())->expanded_ = true;
    });
    QObject::connect(w, &QTreeView::collapsed, w, [this](const QModelIndex& i) {
        if (i.isValid()) static_cast<TTreeNode*>(i.internalPointer())->expanded_ = false;
    });
}

TTreeView::~TTreeView()
{
    // The model goes before the widget (which the base class deletes): the
    // widget lets it go first, and nothing is reported any more.
    ++quiet_;
    if (widget_) Tree(widget_)->setModel(nullptr);
}

QWidget* TTreeView::ItemArea() const { return Tree(widget_)->viewport(); }

void TTreeView::SetSelected(TTreeNode* node)
{
    if (node && node->view_ != this) return;
    if (items_->updating_) {
        selected_ = node;
        return;
    }
    ++quiet_;
    auto* w = Tree(widget_);
    if (node) {
        node->MakeVisible();
        w->selectionModel()->setCurrentIndex(model_->IndexOf(node), QItemSelectionModel::ClearAndSelect);
    } else {
        w->selectionModel()->clear();
        selected_ = nullptr;
    }
    --quiet_;
    EventGuard::Rethrow();
    NotifySelection();
}

void TTreeView::SetCheckBoxes(bool v)
{
    if (checkBoxes_ == v) return;
    checkBoxes_ = v;
    if (!items_->updating_) Tree(widget_)->viewport()->update();
}

void TTreeView::SetImages(TCustomImageList* images)
{
    images_ = images;
    model_->icons.clear();
    if (!items_->updating_) Tree(widget_)->viewport()->update();
}

void TTreeView::SetLevelImage(int level, int imageIndex)
{
    if (level < 0) return;
    if (level >= static_cast<int>(levelImages_.size())) levelImages_.resize(static_cast<size_t>(level) + 1, -1);
    levelImages_[static_cast<size_t>(level)] = imageIndex;
    if (!items_->updating_) Tree(widget_)->viewport()->update();
}

void TTreeView::FullExpand()
{
    for (int i = 0; i < items_->TopCount(); ++i) items_->TopItem(i)->Expand(true);
}

void TTreeView::FullCollapse()
{
    for (int i = 0; i < items_->TopCount(); ++i) items_->TopItem(i)->Collapse(true);
}

TTreeNode* TTreeView::GetNodeAt(int x, int y) const
{
    const QModelIndex i = Tree(widget_)->indexAt(QPoint(x, y));
    return i.isValid() ? static_cast<TTreeNode*>(i.internalPointer()) : nullptr;
}

TRect TTreeView::DisplayRect(TTreeNode* node) const
{
    if (!node || node->view_ != this || items_->updating_) return {};
    auto* w = Tree(widget_);
    const QRect r = w->visualRect(model_->IndexOf(node));
    if (!r.isValid() || !r.intersects(w->viewport()->rect())) return {};
    return FromQRect(r);
}

TRect TTreeView::CheckBoxRect(TTreeNode* node) const
{
    if (!checkBoxes_) return {};
    const TRect row = DisplayRect(node);
    if (row.Right <= row.Left) return {};
    auto* w = Tree(widget_);
    const QModelIndex i = model_->IndexOf(node);
    QStyleOptionViewItem opt;
    w->initViewItemOption(&opt);
    opt.rect = ToQRect(row);
    static_cast<Delegate*>(w->itemDelegate())->initStyleOption(&opt, i);
    return FromQRect(w->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, w));
}

void TTreeView::NodeChanged(TTreeNode* node)
{
    if (!items_->updating_) model_->Changed(node);
}

void TTreeView::StatesChanged()
{
    if (!items_->updating_) Tree(widget_)->viewport()->update();
}

void TTreeView::SelectionMoved(TTreeNode* node)
{
    selected_ = node;
    NotifySelection();
}

void TTreeView::NotifySelection()
{
    if (quiet_ > 0 || (selected_ == reported_ && !reportGone_)) return;
    reported_ = selected_;
    reportGone_ = false;
    if (OnChange) OnChange(this, selected_);
}

void TTreeView::UserChecked(TTreeNode* node, TTreeCheckState state)
{
    node->SetCheckState(state);
    if (OnChecked) OnChecked(this, node);
}

void TTreeView::ApplyExpanded(TTreeNode* node, bool v)
{
    node->expanded_ = v;
    if (!items_->updating_) Tree(widget_)->setExpanded(model_->IndexOf(node), v);
}

void TTreeView::RestoreView()
{
    auto* w = Tree(widget_);
    std::vector<TTreeNode*> stack{items_->root_.get()};
    while (!stack.empty()) {
        TTreeNode* n = stack.back();
        stack.pop_back();
        if (n->expanded_) w->setExpanded(model_->IndexOf(n), true);
        for (auto& c : n->children_) stack.push_back(c.get());
    }
    if (selected_) w->selectionModel()->setCurrentIndex(model_->IndexOf(selected_), QItemSelectionModel::ClearAndSelect);
}
