// The stand-in host's configuration and contact tables. A cell that was
// never written reads as its column's default, or 0 / "" when no column
// of that number was declared.
#include "stand_in_host.h"
#include <stdio.h>
#include <stdlib.h>
#include "contract/config_columns.h"

const StandInHost::Column* StandInHost::findColumn(int table, int column) const {
    for (const Column& c : columns)
        if (c.table == table && c.column == column) return &c;
    return nullptr;
}

const StandInHost::Cell* StandInHost::findCell(int table, int row, int column) const {
    if (table == configTable) {
        auto it = configCells.find(column);
        return it == configCells.end() ? nullptr : &it->second;
    }
    if (table == contactTable) {
        auto it = contactCells.find(std::make_pair(row, column));
        return it == contactCells.end() ? nullptr : &it->second;
    }
    return nullptr;
}

static std::string decimal(int32_t v) {
    char b[16];
    snprintf(b, sizeof(b), "%d", (int)v);
    return b;
}

int StandInHost::configIntValue(int column) const { return cellInt(configTable, 0, column); }
std::string StandInHost::configTextValue(int column) const { return cellText(configTable, 0, column); }
int StandInHost::contactIntValue(int row, int column) const { return cellInt(contactTable, row, column); }
std::string StandInHost::contactTextValue(int row, int column) const {
    return cellText(contactTable, row, column);
}

// The configuration table has row 0 only; any contact row, even a negative
// one such as -2 (no contact), stays in the contact table.
int StandInHost::cellInt(int table, int row, int column) const {
    const Cell* cell = findCell(table, row, column);
    if (cell) return cell->isText ? atoi(cell->text.c_str()) : cell->number;
    const Column* c = findColumn(table, column);
    if (!c) return 0;
    return c->type == VALUE_TEXT ? atoi(c->defaultText.c_str()) : c->defaultInt;
}

std::string StandInHost::cellText(int table, int row, int column) const {
    const Cell* cell = findCell(table, row, column);
    if (cell) return cell->isText ? cell->text : decimal(cell->number);
    const Column* c = findColumn(table, column);
    if (!c) return std::string();
    return c->type == VALUE_TEXT ? c->defaultText : decimal(c->defaultInt);
}

void StandInHost::setConfig(int column, int value) {
    Cell& c = configCells[column];
    c.isText = false;
    c.number = value;
    c.text.clear();
}

void StandInHost::setConfig(int column, const std::string& text) {
    Cell& c = configCells[column];
    c.isText = true;
    c.number = 0;
    c.text = text;
}

int StandInHost::addContact(int net, const std::string& userId, const std::string& name) {
    int row = ++contactRows;  // rows count from 1, so row 0 is never a real contact
    setContact(row, COLUMN_NETWORK, net);
    setContact(row, COLUMN_USER_ID, userId);
    if (!name.empty()) setContact(row, COLUMN_NAME, name);
    return row;
}

void StandInHost::setContact(int row, int column, int value) {
    Cell& c = contactCells[std::make_pair(row, column)];
    c.isText = false;
    c.number = value;
    c.text.clear();
}

void StandInHost::setContact(int row, int column, const std::string& text) {
    Cell& c = contactCells[std::make_pair(row, column)];
    c.isText = true;
    c.number = 0;
    c.text = text;
}

int StandInHost::getValue(int table, int row, int column, HostValue* value) {
    if (!value || (table != configTable && table != contactTable)) return 0;
    if (value->type != VALUE_TEXT) {
        value->value = cellInt(table, row, column);
        return 1;
    }
    // Host-owned text: the cell's own string when it holds text, else a
    // scratch copy that lives until the next such read.
    const Cell* cell = findCell(table, row, column);
    const char* text;
    if (cell && cell->isText) {
        text = cell->text.c_str();
    } else {
        scratch = cellText(table, row, column);
        text = scratch.c_str();
    }
    char* buffer = (char*)value->value;
    if (!buffer) {
        value->value = (intptr_t)text;
        return 1;
    }
    if (value->capacity <= 0) return 0;  // no room, not even for the terminator
    lstrcpynA(buffer, text, value->capacity);
    return 1;
}

int StandInHost::setValue(int table, int row, int column, HostValue* value) {
    if (!value) return 0;
    if (table == configTable) {
        if (value->type == VALUE_TEXT) {
            const char* t = (const char*)value->value;
            setConfig(column, std::string(t ? t : ""));
        } else {
            setConfig(column, (int)value->value);
        }
        return 1;
    }
    if (table == contactTable) {
        if (value->type == VALUE_TEXT) {
            const char* t = (const char*)value->value;
            setContact(row, column, std::string(t ? t : ""));
        } else {
            setContact(row, column, (int)value->value);
        }
        return 1;
    }
    return 0;
}
