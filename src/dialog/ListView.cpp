#include "dialog/ListView.h"

#include <commctrl.h>

void CListView::Attach(HWND list)
{
    m_hWnd = list;
}

void CListView::AddExtendedStyle(DWORD style)
{
    SendMessageA(m_hWnd, LVM_SETEXTENDEDLISTVIEWSTYLE, style, style);
}

void CListView::SetRedraw(bool redraw)
{
    SendMessageA(m_hWnd, WM_SETREDRAW, redraw, 0);
    if (redraw)
        InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CListView::InsertColumn(int column, const char* header, int width, int alignment)
{
    LVCOLUMNA item = {};
    item.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    item.fmt = alignment;
    item.cx = width;
    item.pszText = const_cast<char*>(header);
    item.iSubItem = column;
    SendMessageA(m_hWnd, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&item));
}

void CListView::DeleteAllRows()
{
    SendMessageA(m_hWnd, LVM_DELETEALLITEMS, 0, 0);
    m_rowCount = 0;
}

int CListView::AddRow(const char* text, LPARAM data)
{
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = m_rowCount;
    item.pszText = const_cast<char*>(text);
    item.lParam = data;
    const int row = static_cast<int>(SendMessageA(m_hWnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row >= 0)
        ++m_rowCount;
    return row;
}

void CListView::SetText(int row, int column, const char* text)
{
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    SendMessageA(m_hWnd, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

LPARAM CListView::ItemData(int row) const
{
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageA(m_hWnd, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

int CListView::SelectedCount() const
{
    return static_cast<int>(SendMessageA(m_hWnd, LVM_GETSELECTEDCOUNT, 0, 0));
}

int CListView::NextSelected()
{
    m_visit = static_cast<int>(SendMessageA(m_hWnd, LVM_GETNEXTITEM, m_visit, LVNI_SELECTED));
    return m_visit;
}
