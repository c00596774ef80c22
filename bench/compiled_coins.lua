-- Dynamic programming: the number of ways to make each amount up to 100000 from coins of
-- 1, 2, 5, 10, 20, 50, 100 and 200, modulo 1000000007, worked out 40 times: for each coin
-- c and each amount j from c up, ways[j] = (ways[j] + ways[j - c]) % 1000000007. Prints
-- the ways for 100000.
local n = 100000
local coins = {}
local ways
for round = 1, 40 do
    coins[0], coins[1], coins[2], coins[3] = 1, 2, 5, 10
    coins[4], coins[5], coins[6], coins[7] = 20, 50, 100, 200
    ways = {}
    for j = 0, n do ways[j] = 0 end
    ways[0] = 1
    for k = 0, 7 do
        local c = coins[k]
        for j = c, n do
            ways[j] = (ways[j] + ways[j - c]) % 1000000007
        end
    end
end
print(ways[n])
