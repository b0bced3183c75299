/*
 * sample.c -- 販売管理の売上計上（NOTARIX の見本）
 */
#include <stdio.h>

#define MAX_COUNT 999

long g_daily;           /* 日計 */
long g_limit = 500000;  /* 一日の売上上限 */
static int g_lines;     /* 売上ファイルに書いた行数 */

/*
 * NAME       : add_sale
 * FUNCTION   : 売上を一件計上し、日計を更新する
 * PROCESS    : 1. 数量と単価を確かめる（check_sale）
 *            : 2. 誤りなら -1 を返して終わる
 *            : 3. 金額 = 数量 × 単価 を求める
 *            : 4. 日計に金額を加える
 *            : 5. 売上ファイルに一行書く（write_sale）
 *            : 6. 日計が上限を超えたら警告を出す（warn_limit）
 *            : 7. 0 を返す
 * INPUT      : item    - 商品コード
 *            : count   - 数量（1 から 999）
 *            : price   - 単価（円）
 * INPUT(EXT) : g_limit - 一日の売上上限
 * OUTPUT     : amount  - 計上した金額
 * UPDATE(EXT): g_daily - 日計
 * RETURN     : 0 計上した、-1 数量か単価が誤り
 * CALL       : check_sale
 *            : write_sale
 *            : warn_limit
 * FILE       : sales.dat（売上ファイル）
 * REMARKS    : 金額は円単位で、端数は出ない
 *            : 上限を超えても売上は計上する
 * PROGRAMMED : 販売管理チーム（山田）
 * DATE(ORG)  : 2024-06-10 (2024-04-01)
 */
int add_sale(int item, int count, long price, long *amount)
{
    if (check_sale(count, price) != 0) {
        return -1;
    }
    *amount = count * price;
    g_daily += *amount;
    write_sale(item, count, *amount, &g_lines);
    if (g_daily > g_limit) {
        warn_limit(g_daily);
    }
    return 0;
}

/*
 * NAME       : write_sale
 * FUNCTION   : 売上ファイルに一件を書く
 * PROCESS    : 1. 売上ファイルを追記で開く
 *            : 2. 商品コード、数量、金額を一行に書く
 *            : 3. ファイルを閉じ、書いた行数を数える
 * INPUT      : item    - 商品コード
 *            : count   - 数量
 *            : amount  - 金額
 * UPDATE     : lines   - 書いた行数（一つ増やす）
 * OUTPUT(EXT): sales.dat - 売上ファイル
 * RETURN     : なし
 * CALL       : fopen
 *            : fprintf
 *            : fclose
 * FILE       : sales.dat（追記）
 * PROGRAMMED : 販売管理チーム（山田）
 * DATE(ORG)  : 2024-04-01
 */
void write_sale(int item, int count, long amount, int *lines)
{
    FILE *fp = fopen("sales.dat", "a");

    if (fp != NULL) {
        fprintf(fp, "%05d %3d %8ld\n", item, count, amount);
        fclose(fp);
        (*lines)++;
    }
}

/*
 * NAME       : close_day
 * FUNCTION   : 一日を締め、日計を報告して零に戻す
 * PROCESS    : 1. 日計と書いた行数を報告する
 *            : 2. 日計と行数を零に戻す
 * OUTPUT     : report  - 報告先
 * UPDATE(EXT): g_daily - 日計（零に戻す）
 *            : g_lines - 書いた行数（零に戻す）
 * RETURN     : 締めた日の日計
 * CALL       : fprintf
 * REMARKS    : 締めの後の売上は翌日の分になる
 * PROGRAMMED : 販売管理チーム（佐藤）
 * DATE(ORG)  : 2024-06-10 (2024-04-02)
 */
long close_day(FILE *report)
{
    long total = g_daily;

    fprintf(report, "日計 %ld 円（%d 件）\n", total, g_lines);
    g_daily = 0;
    g_lines = 0;
    return total;
}
