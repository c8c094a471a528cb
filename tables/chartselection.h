#pragma once

// Which measurement the readings chart shows; written by a table double-click, read by the
// chart window. ChartSource: 0 none, 1 basic table, 2 individual table.
struct ChartSelection
{
    int ChartRow = 0;
    int ChartSource = 0;
    int ReadingCount = 0;
};
