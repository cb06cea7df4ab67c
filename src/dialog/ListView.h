// A list-view control in report view: its window, the number of rows added
// so far and a cursor over the selected rows.
#pragma once

#include <windows.h>

class CListView
{
public:
    void Attach(HWND list);

    void AddExtendedStyle(DWORD style);
    // Stops or resumes drawing; resuming draws the whole list again.
    void SetRedraw(bool redraw);
    void InsertColumn(int column, const char* header, int width, int alignment);

    // Removes every row; the row count goes back to 0.
    void DeleteAllRows();
    // Adds a row after the last one with the first column's text and the
    // row's item data; its position, or -1 when the control refused it.
    int AddRow(const char* text, LPARAM data);
    void SetText(int row, int column, const char* text);
    LPARAM ItemData(int row) const;

    int SelectedCount() const;
    // Visits the selected rows from the top: NextSelected gives the next one
    // after the last visited, or -1 when there is none.
    void RestartSelectionVisit() { m_visit = -1; }
    int NextSelected();

private:
    HWND m_hWnd = nullptr;
    int m_rowCount = 0;
    int m_visit = -1;
};
