-- A product of two 200 x 200 int matrices, C = A B, in row order in flat tables.
-- A[i] = i % 7, B[i] = i % 5. Prints the sum of C's elements.
local n = 200
local A, B, C = {}, {}, {}
for i = 0, n * n - 1 do
    A[i] = i % 7
    B[i] = i % 5
    C[i] = 0
end
for i = 0, n - 1 do
    for j = 0, n - 1 do
        local sum = 0
        for k = 0, n - 1 do
            sum = sum + A[i * n + k] * B[k * n + j]
        end
        C[i * n + j] = sum
    end
end
local sum = 0
for i = 0, n * n - 1 do sum = sum + C[i] end
print(sum)
