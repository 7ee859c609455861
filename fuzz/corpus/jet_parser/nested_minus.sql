UPDATE Clientes SET Observacao='x' WHERE -(-1) = Codigo AND NomeOuRazaoSocial = 'a
1=1 --'