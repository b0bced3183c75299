/*
 * NAME     : sample
 * FUNCTION : 在庫管理（GRAVLET の見本）
 */
#include <stdio.h>

#define MAX_ITEMS 16

static int stock[MAX_ITEMS];

int take_item(int kind);
int count_empty(void);

/* FUNCTION : 命令を一つ実行する */
void run_command(int command, int kind)
{
    int left;

    switch (command) {                  /* 命令ごとに */
    case 'a':                           /* 入庫 */
        stock[kind]++;                  /* 在庫を一つ増やす */
        break;
    case 't':                           /* 出庫 */
        take_item(kind);                /* 出庫する */
        break;
    case 'c':                           /* 数える */
        printf("%d\n", count_empty());  /* 在庫切れの数を表示 */
        break;
    default:                            /* 不明な命令 */
        report_unknown(command);        /* 誤りを知らせる */
        break;
    }
    while (pending() > 0) {             /* 待ち行列が空になるまで */
        serve_next();                   /* 次の注文を処理する */
    }
    do {                                /* ログを書き出す */
        left = flush_log();             /* 一ブロック書く */
    } while (left > 0);                 /* 残りがなくなるまで */
    for (kind = 0; kind < MAX_ITEMS && stock[kind] > 0; kind++)   /* 最初の在庫切れまで進む */
        ;
}

/* FUNCTION : 在庫切れの品目を数える */
int count_empty(void)
{
    int i;
    int empty = 0;

    for (i = 0; i < MAX_ITEMS; i++) {   /* 品目ごとに */
        if (stock[i] == 0) {            /* 在庫がない */
            empty++;                    /* 在庫切れを数える */
        }
    }
    return empty;                       /* 在庫切れの数を返す */
}

/* FUNCTION : 品目を一つ出庫する */
int take_item(int kind)
{
    if (stock[kind] == 0) {             /* 在庫切れ */
        report_empty(kind);             /* 在庫切れを知らせる */
        return 0;                       /* 出庫しない */
    } else {                            /* 在庫あり */
        stock[kind]--;                  /* 在庫を一つ減らす */
    }
    return 1;                           /* 出庫した */
}
