/* For comparison: libxlsxwriter writing 31 columns x 40000 rows of numbers into a new
   workbook in its constant-memory mode.  xlsxwriter_save TARGET.xlsx */
#include <stdio.h>
#include <xlsxwriter.h>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    lxw_workbook_options options = {.constant_memory = LXW_TRUE, .tmpdir = NULL};
    lxw_workbook* book = workbook_new_opt(argv[1], &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, NULL);
    for (int d = 1; d <= 40000; ++d)
        for (int c = 4; c <= 34; ++c) worksheet_write_number(sheet, 23 + d, c - 1, 0.001 * d + c, NULL);
    return workbook_close(book) == LXW_NO_ERROR ? 0 : 1;
}
