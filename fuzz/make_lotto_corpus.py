#!/usr/bin/env python3
"""Writes the seed files of LottoFileFuzz: Lotto.mdb files as a new user might be handed them."""
import os
import random
import sqlite3
import sys

here = os.path.dirname(os.path.abspath(__file__))
out = os.path.join(here, "corpus", "LottoFileFuzz")
schema = open(os.path.join(here, "..", "tools", "schema.sql")).read()


def make(name, sql="", rows=13, scramble=None):
    path = os.path.join(out, name)
    if os.path.exists(path):
        os.remove(path)
    db = sqlite3.connect(path)
    db.executescript(schema)
    db.executemany("insert into tblLotterySeries (BallNumberList) values (?)",
                   [(",".join(str((i + k) % 49 + 1) for k in range(6)),) for i in range(rows)])
    db.commit()
    if sql:
        db.executescript(sql)
    db.commit()
    db.close()
    if scramble is not None:
        data = bytearray(open(path, "rb").read())
        rnd = random.Random(3)
        for i in range(scramble, min(scramble + 300, len(data))):
            data[i] = rnd.randrange(256)
        open(path, "wb").write(bytes(data))


os.makedirs(out, exist_ok=True)
open(os.path.join(out, "empty"), "wb").close()
make("thirteen")
make("copying_trigger", "create trigger copyRows after insert on tblLotterySeries begin "
     "insert into tblLotterySeries (BallNumberList) select BallNumberList from tblLotterySeries; end")
make("ignoring_delete", "create trigger keepRows before delete on tblLotterySeries begin "
     "select raise(ignore); end")
make("long_row", "update tblLotterySeries set BallNumberList = printf('%.3000c', '7') "
     "where LotterySeriesID = 5")
make("damaged", rows=1000, scramble=4 * 4096 + 1500)
make("view", "alter table tblLotterySeries rename to rows; "
     "create view tblLotterySeries as select * from rows")
make("odd_rows", "insert into tblLotterySeries (BallNumberList) values "
     "('07,8,x'), (''), ('1,1,1,1,1,1,1'), ('63,50,49'), (7), (x'00ff')")
sys.exit(0)
